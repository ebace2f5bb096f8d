// The OS seam for native tests: a scriptable console, registry, player window, clock and kernel objects.
// Kernel objects are real (threads run, events wake waiters), so the module's threading is exercised as is.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "os/os.h"

namespace fake {

struct Cell {
    char character = ' ';
    uint16_t attribute = 0x07;
    bool operator==(const Cell&) const = default;
};

struct RegistryValue {
    uint32_t type = 4;  // REG_DWORD
    std::vector<uint8_t> data;
};

struct SentMessage {
    os::Window window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
    bool withTimeout;
    uint32_t timeout;
    uint32_t flags;
    uint32_t tick;
    bool posted = false;  // PostMessage: queued, the sender did not wait
};

// Answers a message sent to the fake player window; called without the world's lock held.
using PlayerHandler = std::function<intptr_t(uint32_t message, uintptr_t wParam, intptr_t lParam)>;

struct World {
    // ---- console: what the console shows (the fake host flushes into it)
    int32_t width = 80;
    int32_t height = 25;
    bool bufferSizeFails = false;
    std::vector<Cell> screen;  // width * height, row by row
    std::set<std::pair<int32_t, int32_t>> unreadableCells;
    bool noConsole = false;  // GetStdHandle gives nothing
    uint32_t inputMode = 0x1F7;
    bool modeReadFails = false;
    bool modeSetFails = false;
    std::vector<uint32_t> modesSet;
    os::CursorInfo cursor{25, true};
    std::vector<os::CursorInfo> cursorsSet;
    std::deque<os::InputRecord> input;
    uint32_t modifierKeysHeld = 0;  // control-key state bits of the modifier keys pushed down, not yet let go
    // How long a wait for console input may find the queue empty before it fails (which closes a panel),
    // so that a test whose script ran out ends instead of hanging.
    uint32_t emptyInputGraceMs = 3000;
    int inputWaitsGivenUp = 0;  // such waits: the script ran out with the panel still open
    bool inputWaitFails = false;
    int inputReadFailures = 0;  // the next N reads fail
    int inputFlushes = 0;
    int consoleCellReads = 0;
    // Called with the world's lock held for every console cell read (character or attribute), inside the
    // console or not; must not call back into the fake.
    std::function<void(int32_t x, int32_t y)> onCellRead;

    // ---- registry
    std::map<std::string, std::map<std::string, RegistryValue>> currentUser;  // key path -> values
    std::map<std::string, std::string> classesRoot;                           // key path -> default value
    bool createKeyFails = false;
    bool setValueFails = false;
    int openKeys = 0;  // keys opened and not closed yet
    int keyOpens = 0;  // every open or create
    std::vector<std::string> valuesSet;  // names of the values written, in order

    // ---- windows and the player
    os::Window player = nullptr;
    PlayerHandler playerHandler;
    // A hung player: SendMessageTimeout fails after its time-out (sleeping for it), a posted message is never
    // taken.
    // A handler slower than a send's time-out (the manual clock it advances, or real time) has still taken
    // the message, but the send reports it unanswered, and the manual clock stands at the time-out.
    bool playerHung = false;
    std::vector<SentMessage> sent;
    // The player's memory as another process sees it: regions by start address. A read succeeds only when it
    // lies wholly inside one region.
    std::map<uintptr_t, std::string> playerMemory;
    bool processOpenFails = false;
    // The player process's width as WindowProcessBits tells it (0: the system could not tell).
    int playerProcessBits = static_cast<int>(sizeof(void*) * 8);
    int openProcesses = 0;  // opened and not closed yet
    int memoryReads = 0;
    std::vector<std::string> copiedData;  // the data of each WM_COPYDATA, in order
    os::Window foreground = reinterpret_cast<os::Window>(0xF00D);
    std::vector<os::Window> foregroundsSet;
    std::vector<uint32_t> beeps;
    std::vector<std::vector<uint32_t>> keybdEvents;  // {virtualKey, scanCode, flags}
    std::vector<std::string> processesStarted;
    bool createProcessFails = false;
    // Called for each started process (without the lock); may e.g. make the player window appear.
    std::function<void(const std::string& commandLine)> onCreateProcess;
    // Called before each FindWindow (without the lock): lets a test make a window appear after N lookups.
    std::function<void(int lookups)> onFindWindow;
    int findWindowCalls = 0;

    // ---- time
    bool manualClock = false;  // false: GetTickCount follows the real clock and Sleep really sleeps
    uint32_t tick = 1000;      // with a manual clock; Sleep advances it
    std::vector<uint32_t> sleeps;

    // ---- multimedia and text
    bool volumeFails = true;
    uint32_t volume = 0;
    // CharToOemBuff: bytes of the ANSI code page mapped to the OEM code page; unmapped bytes copy through.
    std::map<unsigned char, unsigned char> ansiToOem = {{0xE9, 0x82}, {0xFC, 0x81}, {0xE4, 0x84}, {0xF6, 0x94},
                                                        {0xDF, 0xE1}, {0xE8, 0x8A}, {0xF1, 0xA4}, {0xC9, 0x90}};

    // ---- kernel objects
    int eventsBeforeFailure = -1;   // >= 0: that many more CreateEvent calls succeed, then they fail
    int threadsBeforeFailure = -1;  // likewise for CreateThread
    int liveEvents = 0;
    int liveThreads = 0;
    int liveLocks = 0;
    int locksCreated = 0;  // every InitializeCriticalSection
    int eventsCreated = 0;  // every CreateEvent that succeeded
    uint32_t threadStackSize = 0;  // of the last thread created
    bool infiniteWaitExpired = false;  // an untimed wait gave up after the safety limit (a hang)
    // A thread's handle closed before the thread ended: Windows neither waits nor stops it, so the thread
    // runs on (detached here) while its owner goes ahead.
    int threadsClosedWhileRunning = 0;
    // Threads that keep the module loaded (HoldModule) and have not ended yet (EndThreadReleasingModule).
    int moduleHolds = 0;
    bool holdModuleFails = false;
};

// Everything above is guarded by this mutex when threads may be running.
std::mutex& Mutex();
World& world();
// A fresh world (80x25 blank console, empty registry, no player) and fresh kernel bookkeeping.
// Must be called while no module thread is running.
void Reset();
// Wakes waiters after a test changed the input queue or kernel-visible state from outside.
void Notify();

void ResizeConsole(int32_t width, int32_t height);
Cell CellAt(int32_t x, int32_t y);
void SetCell(int32_t x, int32_t y, char character, uint16_t attribute);
std::string ScreenRow(int32_t y, int32_t x = 0, int32_t count = -1);

void PushInput(const os::InputRecord& record);
void PushKey(uint16_t virtualKey, bool down, uint32_t controlKeyState = 0);
void PushMouse(int16_t x, int16_t y, uint32_t buttonState, uint32_t eventFlags = 0, uint32_t controlKeyState = 0);
void PushFocus(bool set);
size_t PendingInput();

void SetDword(const std::string& path, const std::string& name, uint32_t value);
void SetBinary(const std::string& path, const std::string& name, std::vector<uint8_t> bytes, uint32_t type = 3);
bool HasValue(const std::string& path, const std::string& name);
uint32_t DwordAt(const std::string& path, const std::string& name);

// A player window answering through handler; ShowPlayer(nullptr) removes it.
void ShowPlayer(PlayerHandler handler);
// Called by a handler: the player works this long on the message. A sender with a time-out waits only that
// long and gives up; on the manual clock the sender's wait moves the clock on, which never runs backwards.
void PlayerTakes(uint32_t milliseconds);
void RemovePlayer();
std::vector<SentMessage> SentMessages();

// Polls (really sleeping) until the predicate, taken under the lock, holds or the time-out passes.
bool WaitUntil(const std::function<bool(World&)>& predicate, uint32_t timeoutMs = 3000);

}  // namespace fake
