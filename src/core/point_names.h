// Point names shared by every subsystem: the default name of a number, the free
// numbers of the table, the name a typed "^" stands for, and the series of names
// proposed for the next point (after A12 comes A13).
#pragma once

#include <string>
#include <string_view>

struct App;

// The name a point number has until it is given one: the number with one leading
// blank (" 125").
std::string DefaultPointName(int number);
// A number is free when its PointX is 0 and it has its default name.
bool IsFreePoint(const App& app, int number);

// A point name of the default form begins with a blank, which a typed answer
// writes as "^": the "^" at the start of an Answer becomes that blank, the rest
// of the answer kept whole; any other answer stays as it is.
void CaretToSpaceInAnswer(App& app);
// Answer loses its last character (an option key typed after a number or name,
// or the "=" of a series request) and LastStrippedAnswer keeps what is left:
// 5 for 5-, ABC for ABC=. The name replacement offers it as the text to search
// for. Answer must not be empty.
void StripLastCharOfAnswer(App& app);

// Splits Answer into PointNamePrefix and PointNameNumber so that NextPointName
// can count on. A name that begins with a digit 1-9 first gets its leading blank.
void SplitPointName(App& app);
// The same without the leading-digit rule: the trailing number of Answer (its
// trailing blanks trimmed first) becomes PointNameNumber, the text before it
// PointNamePrefix.
void SplitPointNameTail(App& app);
// Answer := PointNamePrefix + the digits of PointNameNumber + 1 (at most eight).
void NextPointName(App& app);

// A name as the names of the job are cleaned: trailing blanks go, leading blanks
// and zeros go, and a name that reads as a number other than 0 gets one leading
// blank ("007 " becomes " 7").
std::string NormalizedPointName(const std::string& name);
// Every name of the table, 1 to PointCapacity, normalised.
void NormalizePointNames(App& app);

// `text` without its trailing half-width and full-width blanks.
std::string TrimTrailingBlanks(std::string_view text);
