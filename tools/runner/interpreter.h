// SPDX-License-Identifier: GPL-2.0-or-later
// Plays a script against the headless game.
//
// The game starts as the real program does and runs main-loop turns only when
// a command asks for them. Before every turn the virtual clock moves 1 ms, and
// every present moves it 16 ms more, so the paced scenes (33 ms) draw about
// every 18 turns. A "frame" below is one presented frame.
//
// A turn is a turn of the real loop, which sleeps while a scene that paces
// itself (title menu, market, graph) has nothing due: such a scene's turns add
// the clock's time to frameCounter at 1,000 per ms, as a loop spinning at that
// rate would. So a game day is 3,000 ms of market time (about 3,000 turns
// here), and the days pass by themselves while a script waits on the market.
//
// Turns and time
//   turns N              run N main-loop turns
//   frames N             run until N more frames have been presented
//   wait MS              run until the clock has moved MS milliseconds
//   at turn|frame|ms N   run until the count since program start reaches N
//   until COND [max N]   run until COND holds (checked before each turn);
//                        fails after N turns (default 2,000,000)
//   tick MS, present MS  change the clock steps
// Input
//   move X Y, down, up   cursor and left button
//   click X Y            move, button down for one frame, up for one frame
//   key enter|up|down|f|left down|up
//   press KEY            key down for one frame, up for one frame
//   escape, close        window events; finish: Escape and run to the quit
// Output and checks
//   shot FILE.png        the last presented frame (into --shots DIR)
//   dump FILE            a text image of the game in progress
//   copy SRC DST         copies a file or folder (keeps a save set)
//   print NAME...        prints numbers and texts of the game
//   expect COND          fails the script when COND does not hold
// Conditions (COND)
//   scene NAME|N         the current scene (market, buy, game_over, ...)
//   VALUE OP VALUE       OP is == != < <= > >=; a VALUE is a number, a game
//                        number (cash, stock, price.3, shares.3, row.3,
//                        listed.R, catprice.R, history.3, year, month, day,
//                        yearsleft, steps, transition, paused, bankrupt,
//                        founded, supportshowing, ruin, rankfilecash.2, ...)
//                        or a sum of them ("cash+3", "200-$p-$p")
//   text NAME ==|!=|contains "TEXT"   a game text in UTF-8 (playername,
//                        company.3, foundedmessage, rankfilename.2,
//                        musiclog: the music commands joined by " | ", ...)
//   file PATH [SIZE], nofile PATH, same PATH PATH, quit
// Script state and blocks
//   remember NAME VALUE  then $NAME stands for the number in later lines
//   repeat N ... end, repeat until COND [max N] ... end
//   seed N               reseeds the game's generator (repeatable draws)
//   set price.N|framecounter VALUE    test hooks outside the game's rules
#pragma once
#include <string>

#include "script.h"

enum class ScriptResult {
    Passed = 0,
    ExpectFailed = 1,  // an expect line did not hold
    TimedOut = 2,      // a wait ran out of turns, or the game quit before it was met
    BadScript = 3,     // unknown command or malformed line
};

struct RunnerOptions {
    std::string shotFolder;  // screenshots go here ("" = working folder)
    bool trace = true;
};

// Starts the game from program start and plays every line. When the script
// ends, the game is ended as Escape ends it.
ScriptResult playScript(const Script& script, const RunnerOptions& options);
