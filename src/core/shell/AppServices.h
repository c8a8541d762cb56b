#pragma once

namespace ondal {

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
    lists::ListStore &ports; // the user's secondary ports
};

} // namespace ondal
