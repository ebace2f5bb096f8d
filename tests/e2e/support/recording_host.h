// A recording host for Windows test programs: a HostServices whose callbacks log what the module asks of
// the host, with a small in-memory screen. Used with the real DLL (LoadLibrary) or with the module's code
// linked in directly.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/host_api.h"

namespace e2e {

struct RecordedMessageBox {
    unsigned flags;
    std::vector<std::string> lines;
    int buttonCount;
};

struct RecordingHost {
    HostServices services{};
    HostStandardFunctions functions{};
    std::string registryRoot;
    std::vector<RecordedMessageBox> messageBoxes;
    std::vector<unsigned long> messageBoxTicks;  // GetTickCount() when each box was asked for
    std::map<int, std::string> messages;  // missing numbers answer "message N"
    std::map<int, intptr_t> colours = {{23, 0x1F}, {24, 0x1E}, {21, 0x13}, {29, 0x3E}, {30, 0x4F}};
    std::vector<int> coloursAsked;
    int putTexts = 0;
    int flushes = 0;
    int savedAreasLive = 0;
    int restores = 0;
};

// The one recording host of the program, reset to a record of the given size under a fresh registry root
// (HKCU\Software\Quaver Tests\<unique>), which the destructor of RegistryRootGuard removes.
RecordingHost& ResetRecordingHost(int size = static_cast<int>(sizeof(HostServices)));
RecordingHost& recordingHost();

// Deletes the test registry root of the recording host when it goes out of scope.
struct RegistryRootGuard {
    ~RegistryRootGuard();
};

// Registry helpers on HKCU for the tests' own arrangements and checks.
void WriteRegistryBinary(const std::string& path, const std::string& name, const std::vector<unsigned char>& bytes,
                         unsigned long type = 3 /* REG_BINARY */);
bool ReadRegistryValue(const std::string& path, const std::string& name, unsigned long* type,
                       std::vector<unsigned char>* bytes);

}  // namespace e2e
