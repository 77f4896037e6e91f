// SPDX-License-Identifier: GPL-2.0-or-later
// What the program says on Windows. A player who starts it from Explorer or
// the Start menu has no console: the message shows in a box, in Japanese
// with the English below. Started from a console, or with its output
// redirected (by a script, or `kabusim.exe --help > help.txt`), it prints the
// English there and shows no box.
#pragma once
#include <cstddef>

// A message in both languages; the English is UTF-8 and one or more lines.
struct Message {
    static constexpr size_t SIZE = 4096;
    wchar_t japanese[SIZE];
    char english[SIZE];
};

// The English to the output the program was given (the standard output or
// error redirected to a file or a pipe, then a console or terminal, then the
// console of the program that started it); else a box in both languages.
// Help and version:
void showInformation(const Message& message);
// A problem (the box has the error icon):
void showProblem(const Message& message);

// Wide text as UTF-8, cut to `size` bytes; empty when it cannot be converted.
void wideToUtf8(const wchar_t* wide, char* out, size_t size);

// The answers to the command line, for kabusim.exe.
void sayHelp(Message& message);
void sayVersion(Message& message);
// `argument` is in the ANSI code page, as main() gets it.
void sayUnknownOption(Message& message, const char* argument);
// The statistics file of --stats cannot be written.
void sayNoStatisticsFile(Message& message, const char* path);
// The game's window cannot be opened: `reason` is the system's, in English.
void sayNoWindow(Message& message, const char* reason);
