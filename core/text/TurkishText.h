#pragma once

#include <string>

namespace meltemix {

// Place names as Turkish users compare them. Texts are UTF-8.

// Lower case for comparing names: ASCII, Latin-1 and Latin Extended-A letters, with every
// form of i (I, ı, İ, i) folded to "i". The profile functions, the shell and a user typing
// on a non-Turkish keyboard do not agree on the Turkish i's; a name must not count as new
// merely because one of them spelt it differently.
std::string FoldNameCase(const std::string& text);

// True when the two names differ at most in letter case (as FoldNameCase sees it).
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

// Alphabetical order of the Turkish alphabet, letter case ignored: Ç after C, Ğ after G,
// I (ı) before İ (i), Ö after O, Ş after S, Ü after U; â, î, û go with a, i, u and follow
// them on a tie. Blanks, punctuation and digits come before letters. Negative, zero or
// positive, as strcmp; zero only for names that differ at most in letter case.
int CompareTurkish(const std::string& a, const std::string& b);

} // namespace meltemix
