#pragma once

#include "core/shell/AppServices.h"
#include "support/FakePlatform.h"
#include "support/MemoryStore.h"
#include "support/RecordingMessages.h"

namespace ondal::test {

// Every service a window takes, faked: messages are recorded, settings kept
// in memory, and the registry, file test and program start answer as a test
// sets them up. Hand services() to a window as main() hands it the real ones.
struct FakeServices
{
    RecordingMessages messages;
    MemoryStore settings;
    FakeRegistry registry;
    FakeFileTest files;
    FakeStarter starter;

    AppServices services() { return {messages, settings, registry, files, starter}; }
};

} // namespace ondal::test
