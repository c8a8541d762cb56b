#pragma once

#include <QString>

namespace ondal {

class Clock;
class MessageBoxService;
class SettingsStore;

namespace lists {
class ListStore;
} // namespace lists

namespace platform {
class FileTest;
class ProgramStarter;
class Registry;
} // namespace platform

// Where the user's own files go: the data folder (the lists the user keeps)
// and the folder a saved record is first offered in.
struct UserFolders
{
    QString data;
    QString documents;
};

// The services the windows use: main() makes this system's once, a test
// makes fakes, and each window is handed them when it is made and keeps
// them. Nothing looks a service up later. Not owned: they outlive every
// window.
struct AppServices
{
    MessageBoxService &messages;
    SettingsStore &settings;
    platform::Registry &registry;
    platform::FileTest &files;
    platform::ProgramStarter &starter;
    Clock &clock;
    UserFolders folders;
    lists::ListStore &ports;    // the user's secondary ports
    lists::ListStore &stations; // the user's tidal-stream stations
};

} // namespace ondal
