#pragma once
// The parts of a note's card that the user points at. Their order is the order in which
// the note draws its labels and in which screen readers meet them.
namespace note {

enum class Part { MenuLabel, Stamp, Minimise, Close, TextBox };

// The parts drawn as labels: those before the text box.
constexpr int kLabelCount = static_cast<int>(Part::TextBox);

}  // namespace note
