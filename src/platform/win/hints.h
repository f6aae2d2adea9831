// The application's current hint. Kolo shows no tooltips: a control under the
// pointer publishes its hint here and the main window writes it into its title
// strip. Controls call SetApplicationHint when the pointer enters them, when
// their hint changes while the pointer is over them, and with "" on leaving.
#pragma once

#include <functional>
#include <string>

namespace kolo::win {

void SetApplicationHint(const std::string& hint);
const std::string& ApplicationHint();
// One handler, told whenever the current hint changes.
void SetHintHandler(std::function<void(const std::string&)> handler);

// Remembers which window owns the current hint, so that a control changing its
// hint while it is not under the pointer does not disturb the caption.
void SetHintOwner(const void* owner);
const void* HintOwner();

}  // namespace kolo::win
