#include "widgets/win/forms.h"

#include <array>

namespace kolo::win {

namespace {
std::array<HWND, static_cast<size_t>(SecondaryForm::Count)>& Table() {
  static std::array<HWND, static_cast<size_t>(SecondaryForm::Count)> table{};
  return table;
}
}  // namespace

void RegisterForm(SecondaryForm form, HWND hwnd) { Table()[static_cast<size_t>(form)] = hwnd; }

HWND FormWindow(SecondaryForm form) {
  HWND h = Table()[static_cast<size_t>(form)];
  return h && ::IsWindow(h) ? h : nullptr;
}

bool IsFormVisible(SecondaryForm form) {
  HWND h = FormWindow(form);
  return h && ::IsWindowVisible(h);
}

}  // namespace kolo::win
