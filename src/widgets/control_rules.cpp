#include "widgets/control_rules.h"

namespace kolo {

int ChooseButtonImage(const TVMImageButtonListID& ids, bool enabled, bool down, ButtonState state, bool focused) {
  if (!enabled) return ids.Disable;
  if (down || state == ButtonState::Pressed) return ids.Down;
  if (focused) return ids.Selected;
  if (state == ButtonState::Hover) return ids.Move;
  return ids.Normal;
}

int ChooseCheckboxImage(const TVMCheckboxListID& ids, bool checked, bool enabled, bool focused, bool hover) {
  if (!enabled) return checked ? ids.DisableChecked : ids.DisableUnChecked;
  if (focused) return checked ? ids.CheckedSelected : ids.UnCheckedSelected;
  if (hover) return checked ? ids.CheckedMove : ids.UnCheckedMove;
  return checked ? ids.CheckedNotSelected : ids.UnCheckedNotSelected;
}

std::vector<size_t> ApplyCheck(std::vector<CheckBoxState>& boxes, size_t self, bool value) {
  std::vector<size_t> changed;
  if (self >= boxes.size()) return changed;
  CheckBoxState& box = boxes[self];
  if (box.checkIndex < 0) {
    box.checked = value;
    return changed;
  }
  box.checked = true;
  for (size_t i = 0; i < boxes.size(); ++i) {
    if (i == self) continue;
    CheckBoxState& other = boxes[i];
    if (other.parent == box.parent && other.checkIndex == box.checkIndex && other.checked) {
      other.checked = false;
      changed.push_back(i);
    }
  }
  return changed;
}

int ListRowAt(int position, int y, int rowHeight) {
  if (rowHeight <= 0) return -1;
  return position + y / rowHeight;
}

bool InsideListBox(int x, int y, int width, int height) {
  return x >= 1 && y >= 1 && x < width - 1 && y < height - 1;
}

int ListScrollMax(int rowHeight, int count, int height) {
  if (rowHeight <= 0 || count <= 0) return 0;
  long long content = static_cast<long long>(rowHeight) * count;
  if (content <= height) return 0;
  return static_cast<int>((content - height + rowHeight - 1) / rowHeight);
}

}  // namespace kolo
