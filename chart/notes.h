#pragma once
// Notes of an evaluation: short texts the user pins to a time of the open
// recording, optionally to one curve's value there. Every diagram whose time
// range shows that time draws them as a flag on a thin vertical line.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/vqrtypes.h"

struct TNote {
  int32_t Time = 0;  // seconds since the open recording's start
  std::string Text;  // UTF-8, one line
  int Channel = 0;   // 1..17 the curve it is tied to, 0 none
  float Value = 0;   // that curve's value at Time, as drawn (with the user factor)
  bool operator==(const TNote&) const = default;
};

using TNotes = std::vector<TNote>;

/// The most an evaluation keeps, and the longest text of one note (bytes).
constexpr size_t kMaxNotes = 1000;
constexpr size_t kMaxNoteText = 200;

/// The text as a note keeps it: line breaks and other control characters
/// become spaces, blanks at both ends go, and it is cut to kMaxNoteText bytes
/// without splitting a UTF-8 character.
std::string NoteText(const std::string& text);

/// The flag's text: at most maxChars characters, else cut with "...".
std::string NoteFlagText(const std::string& text, size_t maxChars = 32);

/// A note's place in the last screen drawing: its index in the notes, the
/// x of its line and the flag's box (device pixels).
struct TNoteMark {
  int Index = 0;
  int32_t X = 0;
  int32_t Top = 0;  // the line's ends
  int32_t Bottom = 0;
  TRect Flag;
};

/// The note whose line or flag lies within tolerance pixels of (x, y), the
/// nearest line first; -1 when none.
int NoteAt(const std::vector<TNoteMark>& marks, int32_t x, int32_t y, int32_t tolerance);
