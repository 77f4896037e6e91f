// SPDX-License-Identifier: GPL-2.0-or-later
#include "state/save_writer.h"

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "state/save_files.h"
#include "state/save_layout.h"
#include "state/save_set.h"

namespace {
using Images = uint8_t[SAVE_FILE_COUNT][LARGEST_SAVE_FILE];

std::mutex lock;
std::condition_variable requested;  // a set waits, or the writer is to stop
std::condition_variable written;    // a set has been written
std::thread writer;
bool background = false;
bool stopping = false;

Images waiting;  // the newest request, while waitingTicket != 0
uint32_t waitingTicket = 0;
Images writing;  // the writer's own copy
uint32_t lastTicket = 0;
uint32_t finishedTicket = 0;
bool finishedOk = true;

void gather(Images& images) {
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) gatherSaveFile(saveFiles[file], images[file]);
}

bool writeImages(const Images& images) {
    const uint8_t* const files[SAVE_FILE_COUNT] = {images[0], images[1], images[2], images[3], images[4]};
    return writeSaveSet(files);
}

void writeRequests() {
    std::unique_lock<std::mutex> held(lock);
    for (;;) {
        requested.wait(held, [] { return waitingTicket != 0 || stopping; });
        if (waitingTicket == 0) return;
        std::memcpy(writing, waiting, sizeof writing);
        const uint32_t ticket = waitingTicket;
        waitingTicket = 0;
        held.unlock();
        const bool ok = writeImages(writing);
        held.lock();
        finishedTicket = ticket;
        finishedOk = ok;
        written.notify_all();
    }
}
}  // namespace

void setBackgroundSaving(bool on) {
    if (!on) stopSaveWriter();
    std::lock_guard<std::mutex> held(lock);
    background = on;
}

uint32_t requestSave() {
    std::unique_lock<std::mutex> held(lock);
    const uint32_t ticket = ++lastTicket;
    if (!background) {
        held.unlock();
        const bool ok = saveGame();
        held.lock();
        finishedTicket = ticket;
        finishedOk = ok;
        return ticket;
    }
    gather(waiting);
    waitingTicket = ticket;
    if (!writer.joinable()) writer = std::thread(writeRequests);
    requested.notify_one();
    return ticket;
}

SaveOutcome saveOutcome(uint32_t ticket) {
    std::lock_guard<std::mutex> held(lock);
    if (static_cast<int32_t>(finishedTicket - ticket) < 0) return SaveOutcome::Pending;
    return finishedOk ? SaveOutcome::Saved : SaveOutcome::Failed;
}

void finishSaves() {
    std::unique_lock<std::mutex> held(lock);
    written.wait(held, [] { return waitingTicket == 0 && finishedTicket == lastTicket; });
}

void stopSaveWriter() {
    {
        std::lock_guard<std::mutex> held(lock);
        if (!writer.joinable()) return;
        stopping = true;
    }
    requested.notify_one();
    writer.join();
    std::lock_guard<std::mutex> held(lock);
    stopping = false;
}

void resetSaveWriter() {
    stopSaveWriter();
    std::lock_guard<std::mutex> held(lock);
    background = false;
    waitingTicket = 0;
    lastTicket = 0;
    finishedTicket = 0;
    finishedOk = true;
}
