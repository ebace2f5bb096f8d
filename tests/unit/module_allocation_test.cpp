// The module allocates nothing on the heap during a whole panel session.
//
// This program's global operator new is replaced by one that, while a session runs, keeps the call stack of
// every allocation (in a fixed table, so that keeping it allocates nothing). The fake OS, the fake host and
// this test allocate freely, so the count is not simply read: afterwards every stack is symbolised with
// addr2line, inlined frames included, and the allocation is charged to the innermost frame whose source file
// is ours: src/ is the module, tests/support/ the fakes, the rest of tests/ the test. Frames of the C++
// library and of this recorder only carry an allocation through. A probe allocation, made in a file that is
// counted as the module's for the probe, shows that the charging can find the module guilty.
#include <gtest/gtest.h>

#include <execinfo.h>
#include <link.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "fake_host.h"
#include "fake_os.h"
#include "host/host.h"
#include "host/settings.h"
#include "opening_checks.h"
#include "panel/panel.h"
#include "panel/title_line.h"
#include "player/player.h"
#include "scripted_player.h"

namespace {

constexpr int stackDepth = 32;
constexpr int maxAllocations = 1 << 15;

struct AllocationStack {
    int frames;
    void* stack[stackDepth];
};

AllocationStack allocationStacks[maxAllocations];
std::atomic<int> allocationsSeen{0};
std::atomic<bool> recording{false};
thread_local bool insideRecorder = false;

void RememberAllocation() {
    if (!recording.load(std::memory_order_relaxed) || insideRecorder) return;
    insideRecorder = true;
    const int index = allocationsSeen.fetch_add(1, std::memory_order_relaxed);
    if (index < maxAllocations) allocationStacks[index].frames = backtrace(allocationStacks[index].stack, stackDepth);
    insideRecorder = false;
}

void* Allocate(std::size_t size) {
    RememberAllocation();
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
    RememberAllocation();
    const auto align = static_cast<std::size_t>(alignment);
    if (void* block = std::aligned_alloc(align, (size + align - 1) / align * align)) return block;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    RememberAllocation();
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void* operator new(std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }

// Allocates through the C++ library, inlined, as careless module code would.
[[gnu::noinline]] size_t AllocateThroughTheLibrary() {
    std::vector<int> numbers;
    numbers.push_back(1);
    return numbers.size();
}

namespace {

enum class Owner { Module, Fakes, Test, Runtime };

struct Executable {
    uintptr_t bias = 0;
    std::vector<std::pair<uintptr_t, uintptr_t>> code;  // loaded executable segments
    bool Contains(uintptr_t address) const {
        for (const auto& [low, high] : code)
            if (address >= low && address < high) return true;
        return false;
    }
};

Executable FindExecutable() {
    Executable executable;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto& found = *static_cast<Executable*>(data);
            // The program itself comes first, with an empty name.
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                const auto& segment = info->dlpi_phdr[i];
                if (segment.p_type == PT_LOAD && (segment.p_flags & PF_X))
                    found.code.emplace_back(info->dlpi_addr + segment.p_vaddr,
                                            info->dlpi_addr + segment.p_vaddr + segment.p_memsz);
            }
            found.bias = info->dlpi_addr;
            return 1;
        },
        &executable);
    return executable;
}

std::string ProgramPath() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

struct SourceFrame {
    std::string function;
    std::string file;  // "path:line"
};

// For each address (relative to the executable), its frames, innermost inlined frame first.
std::map<uintptr_t, std::vector<SourceFrame>> Symbolise(const std::vector<uintptr_t>& addresses) {
    std::map<uintptr_t, std::vector<SourceFrame>> names;
    if (addresses.empty()) return names;
    char list[] = "/tmp/quaver-allocations-XXXXXX";
    const int file = mkstemp(list);
    if (file < 0) return names;
    std::string text;
    for (uintptr_t address : addresses) {
        char hex[32];
        std::snprintf(hex, sizeof hex, "0x%lx\n", static_cast<unsigned long>(address));
        text += hex;
    }
    if (write(file, text.data(), text.size()) != static_cast<ssize_t>(text.size())) return names;
    close(file);
    const std::string command = "addr2line -a -f -C -i -e '" + ProgramPath() + "' < " + list;
    FILE* output = popen(command.c_str(), "r");
    if (output) {
        char line[8192];
        uintptr_t current = 0;
        bool functionLine = true;
        while (std::fgets(line, sizeof line, output)) {
            std::string entry(line);
            while (!entry.empty() && (entry.back() == '\n' || entry.back() == '\r')) entry.pop_back();
            if (entry.rfind("0x", 0) == 0) {
                current = std::strtoul(entry.c_str(), nullptr, 16);
                names[current];
                functionLine = true;
                continue;
            }
            // The function's name and its file:line alternate.
            if (functionLine)
                names[current].push_back({entry, ""});
            else if (!names[current].empty())
                names[current].back().file = entry;
            functionLine = !functionLine;
        }
        pclose(output);
    }
    unlink(list);
    return names;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// A compiler cache may compile with paths relative to the build folder: __FILE__ is then relative to it (where
// the tests run), and addr2line's paths run through it ("build/native/../../src"). Both are compared absolute
// and without ".."; addr2line's "??" for an unknown file stays as it is.
std::string Normal(const std::string& path) {
    return path.starts_with('/') ? std::filesystem::path(path).lexically_normal().string() : path;
}

// The project's root, from this file's own path (compiled as .../tests/unit/module_allocation_test.cpp).
std::string ProjectRoot() {
    const std::string file = std::filesystem::absolute(__FILE__).lexically_normal().string();
    const size_t tests = file.rfind("tests/unit/");
    return tests == std::string::npos ? std::string() : file.substr(0, tests);
}

// This recorder's own frames only carry an allocation through, like the C++ library's. addr2line names a
// function with its namespace and parameters, or, for an inlined one, by its bare name.
bool InRecorder(const std::string& function) {
    std::string name = function;
    const std::string anonymous = "(anonymous namespace)::";
    for (size_t at; (at = name.find(anonymous)) != std::string::npos;) name.erase(at, anonymous.size());
    name = name.substr(0, name.find('('));
    if (const size_t scope = name.rfind("::"); scope != std::string::npos) name = name.substr(scope + 2);
    return name == "RememberAllocation" || name == "Allocate" || name == "AllocateAligned" ||
           StartsWith(name, "operator new");
}

struct Charged {
    Owner owner;
    std::string where;  // the frame charged, or the whole stack for a runtime allocation
};

class AllocationCharges {
public:
    // Files below `moduleFiles` (relative to the project's root) are the module's.
    explicit AllocationCharges(const std::string& moduleFiles = "src/") : moduleFiles_(ProjectRoot() + moduleFiles) {}

    // Charges the allocations recorded so far.
    std::vector<Charged> ChargeRecorded() {
        const int count = std::min(allocationsSeen.load(), maxAllocations);
        std::vector<uintptr_t> wanted;
        for (int i = 0; i < count; ++i)
            for (int f = 0; f < allocationStacks[i].frames; ++f) {
                const auto address = reinterpret_cast<uintptr_t>(allocationStacks[i].stack[f]);
                // A return address points after the call: step back into it.
                if (executable_.Contains(address)) wanted.push_back(address - 1 - executable_.bias);
            }
        std::sort(wanted.begin(), wanted.end());
        wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
        const auto names = Symbolise(wanted);

        std::vector<Charged> charges;
        for (int i = 0; i < count; ++i) charges.push_back(Charge(allocationStacks[i], names));
        return charges;
    }

private:
    Charged Charge(const AllocationStack& recorded, const std::map<uintptr_t, std::vector<SourceFrame>>& names) {
        const std::string root = ProjectRoot();
        for (int f = 0; f < recorded.frames; ++f) {
            const auto address = reinterpret_cast<uintptr_t>(recorded.stack[f]);
            if (!executable_.Contains(address)) continue;
            const auto found = names.find(address - 1 - executable_.bias);
            if (found == names.end()) continue;
            for (const SourceFrame& frame : found->second) {
                const std::string file = Normal(frame.file);
                if (!StartsWith(file, root) || InRecorder(frame.function)) continue;
                const std::string where = frame.function + " at " + file.substr(root.size());
                if (StartsWith(file, moduleFiles_)) return {Owner::Module, where};
                if (StartsWith(file, root + "tests/support/")) return {Owner::Fakes, where};
                return {Owner::Test, where};
            }
        }
        return {Owner::Runtime, ""};
    }

    std::string moduleFiles_;
    Executable executable_ = FindExecutable();
};

void StartRecording() {
    allocationsSeen = 0;
    recording = true;
}
void StopRecording() { recording = false; }

constexpr uint16_t ctrlKey = 17, altKey = 18, shiftKey = 16, escapeKey = 27;

void Tap(uint16_t key, uint32_t state = 0) {
    fake::PushKey(key, true, state);
    fake::PushKey(key, false, state);
}

void Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// A user at the open panel for a few seconds: every key binding, clicks, a held rewind, a drag, hiding,
// the About box, the three scroll modes and both clock formats, a focus change, the player going away and
// coming back, and Esc.
void WorkThePanel(fake::PlayerAnswers& answers) {
    const uint16_t keys[] = {0x5A, 0x58, 0x43, 0x56, 0x42, 0x4C, 0x25, 0x27, 0x26, 0x28, 0x64, 0x65,
                             0x60, 0x66, 0x67, 0x69, 0x68, 0x62, 0x53, 0x52, 0x20, 0x0D, 0x0D};
    const int16_t x = 23, y = 5;
    Pause(400);
    for (uint16_t key : keys) {
        Tap(key);
        Pause(60);
    }
    for (int repeat = 0; repeat < 5; ++repeat) fake::PushKey(0x27, true);  // a key held: the console repeats it
    fake::PushKey(0x27, false);
    fake::PushKey(altKey, true);
    Tap(0x45, os::LeftAltPressed);
    Tap(0x33, os::LeftAltPressed);
    fake::PushKey(altKey, false);
    Pause(200);

    fake::PushMouse(x + 4, y + 7, os::LeftButtonPressed);  // rewind held: the RepeatThread re-sends
    Pause(400);
    fake::PushMouse(x + 20, y + 7, os::LeftButtonPressed, os::MouseMoved);  // dragged off
    Pause(100);
    fake::PushMouse(x + 4, y + 7, os::LeftButtonPressed, os::MouseMoved);  // and back on
    Pause(200);
    fake::PushMouse(x + 4, y + 7, 0);
    fake::PushMouse(x + 32, y + 2, os::LeftButtonPressed);  // volume up held
    Pause(300);
    fake::PushMouse(x + 32, y + 2, 0);
    fake::PushMouse(x + 20, y + 1, os::LeftButtonPressed);  // the time label
    fake::PushMouse(x + 20, y + 1, 0);
    fake::PushMouse(x + 10, y + 5, os::LeftButtonPressed);  // the title line: the playlist menu, an entry played
    fake::PushMouse(x + 10, y + 5, 0);
    Pause(300);
    fake::PushMouse(x + 30, y + 6, os::LeftButtonPressed);  // shuffle
    fake::PushMouse(x + 30, y + 6, 0);
    Pause(700);  // passes in running text

    fake::PushKey(ctrlKey, true);
    fake::PushKey(altKey, true);
    fake::PushKey(shiftKey, true);  // hidden
    Pause(300);
    fake::PushKey(shiftKey, false);  // shown
    fake::PushKey(altKey, false);
    fake::PushKey(ctrlKey, false);
    Pause(200);
    Tap(0x70);  // F1: the About box
    fake::PushFocus(false);
    Pause(300);

    fake::RemovePlayer();  // the idle display, then the player back
    Pause(500);
    fake::ShowScriptedPlayer(&answers);
    Pause(500);
    fake::PushKey(escapeKey, true);
}

TEST(ModuleAllocations, TheChargingFindsAnAllocationMadeInModuleFiles) {
    // For this check the test's own file stands for the module.
    AllocationCharges charges("tests/unit/module_allocation_test.cpp");
    StartRecording();
    EXPECT_EQ(AllocateThroughTheLibrary(), 1u);
    StopRecording();
    int module = 0;
    for (const Charged& charged : charges.ChargeRecorded()) module += charged.owner == Owner::Module;
    EXPECT_EQ(module, 1) << "addr2line must be installed and the program built with line information";
}

TEST(ModuleAllocations, AWholePanelSessionAllocatesNothingInModuleCode) {
    AllocationCharges charges;
    void* warmUp[4];
    backtrace(warmUp, 4);  // its first call loads the unwinder, which allocates
    fake::Reset();
    fake::StartModule();
    fake::SetDword(fake::testSettingsKey, "AutostartWinamp", 0);
    fake::SetDword(fake::testSettingsKey, "DispVolumeCtrl", 1);
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().volumeFails = false;  // the title line shows the volume after the arrows
        fake::world().volume = 0x80000000u;
    }
    fake::PlayerAnswers answers;
    answers.windowTitle = "12. A title long enough to scroll through the whole field and more - Winamp";
    answers.playlistLength = 3;
    fake::PlaceTitles({"One", "Two & Three", "Caf\xE9"});
    fake::host().menuChoice = 2;
    fake::ShowScriptedPlayer(&answers);

    // The session changes what lasts for the module's life (clock format, title scrolling): put it back after.
    const int32_t savedScrollMode = quaver::liveDisplay.scrollMode, savedLastLength = quaver::liveDisplay.scroll.lastLength;
    const uint8_t savedTimeFormat = quaver::settings.timeFormat;
    StartRecording();
    std::thread user([&] { WorkThePanel(answers); });
    OpenPlugin(0, 0);
    user.join();
    StopRecording();
    quaver::liveDisplay.scrollMode = savedScrollMode;
    quaver::liveDisplay.scroll.lastLength = savedLastLength;
    quaver::settings.timeFormat = savedTimeFormat;
    quaver::ResetTitleScrolling();

    std::map<Owner, int> owners;
    std::string moduleAllocations;
    const std::vector<Charged> charged = charges.ChargeRecorded();
    for (const Charged& charge : charged) {
        ++owners[charge.owner];
        if (charge.owner == Owner::Module) moduleAllocations += "  " + charge.where + "\n";
    }
    int commands = 0;
    for (const auto& sent : fake::SentMessages()) commands += sent.message == os::WmCommand;
    std::printf("[ figures  ] heap allocations in module code during a whole panel session: %d "
                "(of %d in the session: fakes %d, test %d, C++ runtime %d; %d commands, %d flushes)\n",
                owners[Owner::Module], static_cast<int>(charged.size()), owners[Owner::Fakes], owners[Owner::Test],
                owners[Owner::Runtime], commands, fake::FlushCount());

    ASSERT_LT(allocationsSeen.load(), maxAllocations) << "every allocation was kept";
    EXPECT_EQ(owners[Owner::Module], 0) << moduleAllocations;
    EXPECT_GT(owners[Owner::Fakes], 0) << "the fakes' own allocations were seen and charged to them";
    EXPECT_GT(commands, 20) << "the session reached the player";
    EXPECT_EQ(fake::world().inputWaitsGivenUp, 0) << "the session ended by its Esc";
    EXPECT_GT(fake::FlushCount(), 10) << "refresh passes ran";
    fake::ExpectNothingLeftBehind();
}

}  // namespace
