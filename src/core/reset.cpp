// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/reset.h"

namespace {
constexpr int MAX_HOOKS = 8;
CoreHook shutdownHooks[MAX_HOOKS];
int shutdownHookCount = 0;
long (*dateSource)() = nullptr;
}  // namespace

void addShutdownHook(CoreHook hook) {
    for (int i = 0; i < shutdownHookCount; ++i) {
        if (shutdownHooks[i] == hook) return;
    }
    if (shutdownHookCount < MAX_HOOKS) shutdownHooks[shutdownHookCount++] = hook;
}

void runShutdownHooks() {
    for (int i = 0; i < shutdownHookCount; ++i) shutdownHooks[i]();
}

void clearCoreHooks() {
    shutdownHookCount = 0;
    dateSource = nullptr;
}

void setDateSource(long (*source)()) { dateSource = source; }

long currentDate() { return dateSource != nullptr ? dateSource() : 0; }
