// SPDX-License-Identifier: GPL-2.0-or-later
// What the program says on Windows, where it usually has no console: what
// the shared code prints (help, complaints) is caught and shown in a
// message box, or written to the standard output or error when the program
// was given them (redirected, or by a script). Text is UTF-8.
#pragma once
#include <cstddef>
#include <cstdio>

// A stream whose text is caught until takeCaughtText; stdout when no pipe
// can be made (the text then goes straight there).
FILE* catchText();
// Ends the catching and gives the text, without its last line end.
void takeCaughtText(FILE* caught, char* text, size_t size);
// Help and version: the standard output when there is one, else a box.
void showInformation(const char* text);
// A problem: the standard error when there is one, and a box.
void showProblem(const char* text);
