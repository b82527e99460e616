#pragma once
// The text std::to_chars gives a double with no format: its shortest digits
// that read back to it, in fixed or scientific notation whichever is
// shorter (fixed on a tie). The digits come from fmt's search and are laid
// out eight at a time without a division each: saving millions of samples
// is mostly this.

namespace analysis {

// The longest text: "-2.2250738585072014e-308".
constexpr int kMaxShortestDouble = 24;

// Writes the text of a finite value at out, which must hold
// kMaxShortestDouble characters; returns one past its end.
char* WriteShortest(double value, char* out);

}  // namespace analysis
