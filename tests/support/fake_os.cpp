#include "fake_os.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <new>

namespace fake {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto untimedWaitLimit = std::chrono::seconds(20);

enum class Kind { Event, Thread, ConsoleInput, ConsoleOutput, Process };

struct Object {
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object() = default;
    Kind kind;
};

struct Event : Object {
    Event(bool manual, bool signalled) : Object(Kind::Event), manualReset(manual), signalled(signalled) {}
    bool manualReset;
    bool signalled;
};

struct Thread : Object {
    Thread() : Object(Kind::Thread) {}
    std::thread thread;
    bool finished = false;
    bool closed = false;  // its handle went while it ran: the thread frees this record as it ends
};

Object consoleInputObject(Kind::ConsoleInput);
Object consoleOutputObject(Kind::ConsoleOutput);

std::mutex worldMutex;
std::condition_variable kernelChanged;  // any event set, thread ended or input pushed
World theWorld;
const auto clockStart = Clock::now();

Object* AsObject(os::Handle handle) { return static_cast<Object*>(handle); }

// Caller holds worldMutex.
bool IsSignalled(Object* object) {
    switch (object->kind) {
    case Kind::Event: return static_cast<Event*>(object)->signalled;
    case Kind::Thread: return static_cast<Thread*>(object)->finished;
    case Kind::ConsoleInput: return !theWorld.input.empty();
    case Kind::ConsoleOutput: return true;
    case Kind::Process: return false;  // it runs as long as the test needs it
    }
    return false;
}

void Consume(Object* object) {
    if (object->kind == Kind::Event) {
        auto* event = static_cast<Event*>(object);
        if (!event->manualReset) event->signalled = false;
    }
}

uint32_t RealTick() {
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - clockStart).count() + 1000);
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

struct OpenKey {
    std::string path;
};

// The work the running handler declared (PlayerTakes); handlers run on the sending thread.
thread_local uint32_t playerWork = 0;

}  // namespace

std::mutex& Mutex() { return worldMutex; }
World& world() { return theWorld; }

void Reset() {
    std::lock_guard lock(worldMutex);
    theWorld = World{};
    theWorld.screen.assign(static_cast<size_t>(theWorld.width * theWorld.height), Cell{});
}

void Notify() { kernelChanged.notify_all(); }

void ResizeConsole(int32_t width, int32_t height) {
    std::lock_guard lock(worldMutex);
    theWorld.width = width;
    theWorld.height = height;
    theWorld.screen.assign(width > 0 && height > 0 ? static_cast<size_t>(width * height) : 0, Cell{});
}

Cell CellAt(int32_t x, int32_t y) {
    std::lock_guard lock(worldMutex);
    if (x < 0 || y < 0 || x >= theWorld.width || y >= theWorld.height) return Cell{'\0', 0};
    return theWorld.screen[static_cast<size_t>(y * theWorld.width + x)];
}

void SetCell(int32_t x, int32_t y, char character, uint16_t attribute) {
    std::lock_guard lock(worldMutex);
    if (x < 0 || y < 0 || x >= theWorld.width || y >= theWorld.height) return;
    theWorld.screen[static_cast<size_t>(y * theWorld.width + x)] = Cell{character, attribute};
}

std::string ScreenRow(int32_t y, int32_t x, int32_t count) {
    std::lock_guard lock(worldMutex);
    std::string row;
    if (y < 0 || y >= theWorld.height) return row;
    if (count < 0) count = theWorld.width - x;
    for (int32_t column = x; column < x + count && column < theWorld.width; ++column)
        if (column >= 0) row += theWorld.screen[static_cast<size_t>(y * theWorld.width + column)].character;
    return row;
}

void PushInput(const os::InputRecord& record) {
    {
        std::lock_guard lock(worldMutex);
        theWorld.input.push_back(record);
    }
    Notify();
}

// As a console does, each key and mouse record carries the modifier keys pushed down and not yet let go.
static uint32_t HeldModifierState(uint16_t key, bool down) {
    const uint32_t bit = key == 16 ? os::ShiftPressed : key == 17 ? os::LeftCtrlPressed : key == 18 ? os::LeftAltPressed : 0;
    std::lock_guard lock(worldMutex);
    return theWorld.modifierKeysHeld = down ? theWorld.modifierKeysHeld | bit : theWorld.modifierKeysHeld & ~bit;
}

void PushKey(uint16_t virtualKey, bool down, uint32_t controlKeyState) {
    os::InputRecord record{};
    record.eventType = os::KeyEventType;
    record.key = os::KeyEvent{down, 1, virtualKey, 0, 0, controlKeyState | HeldModifierState(virtualKey, down)};
    PushInput(record);
}

void PushMouse(int16_t x, int16_t y, uint32_t buttonState, uint32_t eventFlags, uint32_t controlKeyState) {
    os::InputRecord record{};
    record.eventType = os::MouseEventType;
    record.mouse = os::MouseEvent{x, y, buttonState, controlKeyState | HeldModifierState(0, false), eventFlags};
    PushInput(record);
}

void PushFocus(bool set) {
    os::InputRecord record{};
    record.eventType = os::FocusEventType;
    record.focusSet = set;
    PushInput(record);
}

size_t PendingInput() {
    std::lock_guard lock(worldMutex);
    return theWorld.input.size();
}

void SetDword(const std::string& path, const std::string& name, uint32_t value) {
    std::vector<uint8_t> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    SetBinary(path, name, bytes, 4);
}

void SetBinary(const std::string& path, const std::string& name, std::vector<uint8_t> bytes, uint32_t type) {
    std::lock_guard lock(worldMutex);
    theWorld.currentUser[Lower(path)][Lower(name)] = RegistryValue{type, std::move(bytes)};
}

bool HasValue(const std::string& path, const std::string& name) {
    std::lock_guard lock(worldMutex);
    auto key = theWorld.currentUser.find(Lower(path));
    return key != theWorld.currentUser.end() && key->second.count(Lower(name));
}

uint32_t DwordAt(const std::string& path, const std::string& name) {
    std::lock_guard lock(worldMutex);
    const RegistryValue& value = theWorld.currentUser.at(Lower(path)).at(Lower(name));
    uint32_t result = 0;
    std::memcpy(&result, value.data.data(), std::min<size_t>(4, value.data.size()));
    return result;
}

void ShowPlayer(PlayerHandler handler) {
    std::lock_guard lock(worldMutex);
    theWorld.player = reinterpret_cast<os::Window>(0x5EED);
    theWorld.playerHandler = std::move(handler);
}

void RemovePlayer() {
    std::lock_guard lock(worldMutex);
    theWorld.player = nullptr;
}

std::vector<SentMessage> SentMessages() {
    std::lock_guard lock(worldMutex);
    return theWorld.sent;
}

bool WaitUntil(const std::function<bool(World&)>& predicate, uint32_t timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        {
            std::lock_guard lock(worldMutex);
            if (predicate(theWorld)) return true;
        }
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void PlayerTakes(uint32_t milliseconds) { playerWork += milliseconds; }

}  // namespace fake

// ======================================================================================================
namespace os {

using namespace fake;

Handle GetStdHandle(int which) {
    std::lock_guard lock(worldMutex);
    if (theWorld.noConsole) return nullptr;
    if (which == StdInputHandle) return &consoleInputObject;
    if (which == StdOutputHandle) return &consoleOutputObject;
    return nullptr;
}

bool GetConsoleMode(Handle, uint32_t* mode) {
    std::lock_guard lock(worldMutex);
    if (theWorld.modeReadFails) return false;
    *mode = theWorld.inputMode;
    return true;
}

bool SetConsoleMode(Handle, uint32_t mode) {
    std::lock_guard lock(worldMutex);
    if (theWorld.modeSetFails) return false;
    theWorld.inputMode = mode;
    theWorld.modesSet.push_back(mode);
    return true;
}

bool GetConsoleCursorInfo(Handle, CursorInfo* info) {
    std::lock_guard lock(worldMutex);
    *info = theWorld.cursor;
    return true;
}

bool SetConsoleCursorInfo(Handle, const CursorInfo& info) {
    std::lock_guard lock(worldMutex);
    theWorld.cursor = info;
    theWorld.cursorsSet.push_back(info);
    return true;
}

bool GetConsoleBufferSize(Handle, int32_t* width, int32_t* height) {
    std::lock_guard lock(worldMutex);
    if (theWorld.bufferSizeFails) return false;
    *width = static_cast<int16_t>(theWorld.width);
    *height = static_cast<int16_t>(theWorld.height);
    return true;
}

bool ReadConsoleInput(Handle, InputRecord* record) {
    std::lock_guard lock(worldMutex);
    if (theWorld.inputReadFailures > 0) {
        --theWorld.inputReadFailures;
        if (!theWorld.input.empty()) theWorld.input.pop_front();
        return false;
    }
    if (theWorld.input.empty()) return false;
    *record = theWorld.input.front();
    theWorld.input.pop_front();
    return true;
}

bool PeekConsoleInput(Handle, InputRecord* records, uint32_t capacity, uint32_t* count) {
    std::lock_guard lock(worldMutex);
    uint32_t copied = 0;
    for (; copied < capacity && copied < theWorld.input.size(); ++copied) records[copied] = theWorld.input[copied];
    *count = copied;
    return true;
}

bool FlushConsoleInputBuffer(Handle) {
    std::lock_guard lock(worldMutex);
    theWorld.input.clear();
    ++theWorld.inputFlushes;
    return true;
}

namespace {
bool CellReadable(int32_t x, int32_t y) {
    ++theWorld.consoleCellReads;
    if (theWorld.onCellRead) theWorld.onCellRead(x, y);
    return x >= 0 && y >= 0 && x < theWorld.width && y < theWorld.height &&
           !theWorld.unreadableCells.count({x, y});
}
}  // namespace

bool ReadConsoleOutputCharacter(Handle, int32_t x, int32_t y, char* character) {
    std::lock_guard lock(worldMutex);
    if (!CellReadable(x, y)) return false;
    *character = theWorld.screen[static_cast<size_t>(y * theWorld.width + x)].character;
    return true;
}

bool ReadConsoleOutputAttribute(Handle, int32_t x, int32_t y, uint16_t* attribute) {
    std::lock_guard lock(worldMutex);
    if (!CellReadable(x, y)) return false;
    *attribute = theWorld.screen[static_cast<size_t>(y * theWorld.width + x)].attribute;
    return true;
}

Handle CreateEvent(bool manualReset, bool initiallySignalled) {
    std::lock_guard lock(worldMutex);
    if (theWorld.eventsBeforeFailure == 0) return nullptr;
    if (theWorld.eventsBeforeFailure > 0) --theWorld.eventsBeforeFailure;
    ++theWorld.liveEvents;
    ++theWorld.eventsCreated;
    return new Event(manualReset, initiallySignalled);
}

bool SetEvent(Handle event) {
    {
        std::lock_guard lock(worldMutex);
        static_cast<Event*>(AsObject(event))->signalled = true;
    }
    kernelChanged.notify_all();
    return true;
}

bool ResetEvent(Handle event) {
    std::lock_guard lock(worldMutex);
    static_cast<Event*>(AsObject(event))->signalled = false;
    return true;
}

Handle CreateThread(ThreadProc proc, void* parameter, uint32_t stackSize) {
    auto* thread = new Thread;
    {
        std::lock_guard lock(worldMutex);
        if (theWorld.threadsBeforeFailure == 0) {
            delete thread;
            return nullptr;
        }
        if (theWorld.threadsBeforeFailure > 0) --theWorld.threadsBeforeFailure;
        ++theWorld.liveThreads;
        theWorld.threadStackSize = stackSize;
    }
    thread->thread = std::thread([thread, proc, parameter] {
        proc(parameter);
        {
            std::lock_guard lock(worldMutex);
            thread->finished = true;
            if (thread->closed) {
                delete thread;
                return;
            }
        }
        kernelChanged.notify_all();
    });
    return thread;
}

uint32_t WaitForAnyObject(uint32_t count, const Handle* objects, uint32_t milliseconds) {
    std::unique_lock lock(worldMutex);
    const bool untimed = milliseconds == Infinite;
    bool onlyConsoleInput = count == 1 && AsObject(objects[0])->kind == Kind::ConsoleInput;
    if (onlyConsoleInput && theWorld.inputWaitFails) return WaitFailed;
    auto limit = untimed ? (onlyConsoleInput ? std::chrono::milliseconds(theWorld.emptyInputGraceMs)
                                             : std::chrono::duration_cast<std::chrono::milliseconds>(untimedWaitLimit))
                         : std::chrono::milliseconds(milliseconds);
    if (!untimed && theWorld.manualClock) {
        // A manual clock: a timed wait that nothing ends passes its time at once.
        for (uint32_t i = 0; i < count; ++i)
            if (IsSignalled(AsObject(objects[i]))) {
                Consume(AsObject(objects[i]));
                return WaitObject0 + i;
            }
        theWorld.tick += milliseconds;
        limit = std::chrono::milliseconds(0);
    }
    const auto deadline = Clock::now() + limit;
    for (;;) {
        for (uint32_t i = 0; i < count; ++i) {
            if (IsSignalled(AsObject(objects[i]))) {
                Consume(AsObject(objects[i]));
                return WaitObject0 + i;
            }
        }
        if (kernelChanged.wait_until(lock, deadline) == std::cv_status::timeout) {
            bool any = false;
            for (uint32_t i = 0; i < count && !any; ++i) any = IsSignalled(AsObject(objects[i]));
            if (any) continue;
            if (untimed) {
                if (onlyConsoleInput)
                    ++theWorld.inputWaitsGivenUp;
                else
                    theWorld.infiniteWaitExpired = true;
                return WaitFailed;
            }
            return WaitTimeout;
        }
    }
}

uint32_t WaitForSingleObject(Handle object, uint32_t milliseconds) {
    return WaitForAnyObject(1, &object, milliseconds);
}

void CloseHandle(Handle handle) {
    Object* object = AsObject(handle);
    if (!object || object == &consoleInputObject || object == &consoleOutputObject) return;
    if (object->kind == Kind::Thread) {
        auto* thread = static_cast<Thread*>(object);
        {
            std::lock_guard lock(worldMutex);
            --theWorld.liveThreads;
            if (!thread->finished) {
                ++theWorld.threadsClosedWhileRunning;
                thread->closed = true;
                thread->thread.detach();
                return;
            }
        }
        thread->thread.join();  // it has ended; only its last steps remain
    } else if (object->kind == Kind::Process) {
        std::lock_guard lock(worldMutex);
        --theWorld.openProcesses;
    } else {
        std::lock_guard lock(worldMutex);
        --theWorld.liveEvents;
    }
    delete object;
}

uint32_t GetTickCount() {
    std::lock_guard lock(worldMutex);
    return theWorld.manualClock ? theWorld.tick : RealTick();
}

void Sleep(uint32_t milliseconds) {
    bool manual;
    {
        std::lock_guard lock(worldMutex);
        theWorld.sleeps.push_back(milliseconds);
        manual = theWorld.manualClock;
        if (manual) theWorld.tick += milliseconds;
    }
    if (!manual) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

static_assert(sizeof(std::recursive_mutex) <= sizeof(CriticalSection::storage));

void InitializeCriticalSection(CriticalSection& section) {
    new (section.storage) std::recursive_mutex;
    std::lock_guard lock(worldMutex);
    ++theWorld.liveLocks;
    ++theWorld.locksCreated;
}
void EnterCriticalSection(CriticalSection& section) {
    std::launder(reinterpret_cast<std::recursive_mutex*>(section.storage))->lock();
}
void LeaveCriticalSection(CriticalSection& section) {
    std::launder(reinterpret_cast<std::recursive_mutex*>(section.storage))->unlock();
}
void DeleteCriticalSection(CriticalSection& section) {
    std::launder(reinterpret_cast<std::recursive_mutex*>(section.storage))->~recursive_mutex();
    std::lock_guard lock(worldMutex);
    --theWorld.liveLocks;
}

namespace {
std::atomic<uintptr_t>& AsAtomic(SlimLock& lock) {
    static_assert(sizeof(std::atomic<uintptr_t>) == sizeof(SlimLock::storage));
    return *reinterpret_cast<std::atomic<uintptr_t>*>(lock.storage);
}
}  // namespace

void AcquireSlimLock(SlimLock& lock) {
    uintptr_t free = 0;
    while (!AsAtomic(lock).compare_exchange_weak(free, 1, std::memory_order_acquire)) {
        free = 0;
        std::this_thread::yield();
    }
}

void ReleaseSlimLock(SlimLock& lock) { AsAtomic(lock).store(0, std::memory_order_release); }

bool HoldModule() {
    std::lock_guard lock(worldMutex);
    if (theWorld.holdModuleFails) return false;
    ++theWorld.moduleHolds;
    return true;
}

void EndThreadReleasingModule() {
    std::lock_guard lock(worldMutex);
    --theWorld.moduleHolds;
}

void ReleaseModule() { EndThreadReleasingModule(); }

bool CreateProcess(char* commandLine) {
    std::function<void(const std::string&)> hook;
    std::string line = commandLine;
    {
        std::lock_guard lock(worldMutex);
        theWorld.processesStarted.push_back(line);
        if (theWorld.createProcessFails) return false;
        hook = theWorld.onCreateProcess;
    }
    if (hook) hook(line);
    return true;
}

bool RegCreateKeyForWrite(const char* path, RegistryKey* key) {
    std::lock_guard lock(worldMutex);
    ++theWorld.keyOpens;
    if (theWorld.createKeyFails) return false;
    theWorld.currentUser[Lower(path)];
    ++theWorld.openKeys;
    *key = new OpenKey{Lower(path)};
    return true;
}

bool RegOpenKeyForQuery(const char* path, RegistryKey* key) {
    std::lock_guard lock(worldMutex);
    ++theWorld.keyOpens;
    if (!theWorld.currentUser.count(Lower(path))) return false;
    ++theWorld.openKeys;
    *key = new OpenKey{Lower(path)};
    return true;
}

bool RegSetDwordValue(RegistryKey key, const char* name, uint32_t value) {
    std::lock_guard lock(worldMutex);
    if (theWorld.setValueFails) return false;
    theWorld.valuesSet.push_back(name);
    std::vector<uint8_t> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    theWorld.currentUser[static_cast<OpenKey*>(key)->path][Lower(name)] = RegistryValue{4, bytes};
    return true;
}

bool RegQueryValue(RegistryKey key, const char* name, void* buffer, uint32_t* size, uint32_t* type) {
    std::lock_guard lock(worldMutex);
    auto& values = theWorld.currentUser[static_cast<OpenKey*>(key)->path];
    auto found = values.find(Lower(name));
    if (found == values.end()) return false;
    const auto& data = found->second.data;
    const bool fits = data.size() <= *size;
    if (fits && !data.empty()) std::memcpy(buffer, data.data(), data.size());
    *size = static_cast<uint32_t>(data.size());
    if (type) *type = found->second.type;
    return fits;
}

void RegCloseKey(RegistryKey key) {
    std::lock_guard lock(worldMutex);
    --theWorld.openKeys;
    delete static_cast<OpenKey*>(key);
}

bool RegQueryClassesRootDefault(const char* subKey, char* buffer, int32_t* size) {
    std::lock_guard lock(worldMutex);
    auto found = theWorld.classesRoot.find(Lower(subKey));
    if (found == theWorld.classesRoot.end()) return false;
    const std::string& text = found->second;
    const int32_t needed = static_cast<int32_t>(text.size() + 1);
    if (needed > *size) {
        *size = needed;
        return false;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    *size = needed;
    return true;
}

Window FindWindow(const char* className) {
    std::function<void(int)> hook;
    int calls;
    {
        std::lock_guard lock(worldMutex);
        calls = ++theWorld.findWindowCalls;
        hook = theWorld.onFindWindow;
    }
    if (hook) hook(calls);
    std::lock_guard lock(worldMutex);
    return std::strcmp(className, "Winamp v1.x") == 0 ? theWorld.player : nullptr;
}

namespace {
intptr_t Deliver(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t flags,
                 uint32_t timeout, bool* answered) {
    PlayerHandler handler;
    bool hung;
    {
        std::lock_guard lock(worldMutex);
        const uint32_t now = theWorld.manualClock ? theWorld.tick : RealTick();
        theWorld.sent.push_back(SentMessage{window, message, wParam, lParam, true, timeout, flags, now});
        if (!window || window != theWorld.player) {
            *answered = false;
            return 0;
        }
        handler = theWorld.playerHandler;
        hung = theWorld.playerHung;
    }
    if (hung) {
        *answered = false;
        os::Sleep(timeout);
        return 0;
    }
    const uint32_t startedTick = os::GetTickCount();
    const auto startedReal = Clock::now();
    playerWork = 0;
    const intptr_t answer = handler ? handler(message, wParam, lParam) : 0;
    // Windows gives up waiting at the time-out; the player still takes the message, later.
    const uint32_t waited = playerWork > timeout ? timeout : playerWork;
    *answered = playerWork <= timeout;
    if (waited) {
        bool manual;
        {
            std::lock_guard lock(worldMutex);
            manual = theWorld.manualClock;
            if (manual) theWorld.tick += waited;
        }
        if (!manual) std::this_thread::sleep_for(std::chrono::milliseconds(waited));
    }
    std::lock_guard lock(worldMutex);
    // A handler that moved the clock itself took that long too.
    if (theWorld.manualClock ? theWorld.tick - startedTick > timeout
                             : Clock::now() - startedReal > std::chrono::milliseconds(timeout))
        *answered = false;
    return *answered ? answer : 0;
}
}  // namespace

bool SendMessageTimeout(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t flags,
                        uint32_t milliseconds, intptr_t* result) {
    bool answered = false;
    intptr_t answer = Deliver(window, message, wParam, lParam, flags, milliseconds, &answered);
    if (answered && result) *result = answer;
    return answered;
}

bool SendCopyData(Window window, uintptr_t dataKind, const void* data, uint32_t size, uint32_t flags,
                  uint32_t milliseconds, intptr_t* result) {
    {
        std::lock_guard lock(worldMutex);
        theWorld.copiedData.emplace_back(static_cast<const char*>(data), size);
    }
    return SendMessageTimeout(window, WmCopyData, dataKind, 0, flags, milliseconds, result);
}

Handle OpenWindowProcessForReading(Window window) {
    std::lock_guard lock(worldMutex);
    if (!window || window != theWorld.player || theWorld.processOpenFails) return nullptr;
    ++theWorld.openProcesses;
    return new Object(Kind::Process);
}

bool ReadProcessMemory(Handle process, uintptr_t address, void* buffer, uint32_t size) {
    std::lock_guard lock(worldMutex);
    if (!process) return false;
    ++theWorld.memoryReads;
    // Readable only within one region, as a page boundary stops a real read.
    auto region = theWorld.playerMemory.upper_bound(address);
    if (region == theWorld.playerMemory.begin()) return false;
    --region;
    const auto& [start, bytes] = *region;
    if (address - start > bytes.size() || size > bytes.size() - (address - start)) return false;
    std::memcpy(buffer, bytes.data() + (address - start), size);
    return true;
}

int WindowProcessBits(Window window) {
    std::lock_guard lock(worldMutex);
    return window && window == theWorld.player ? theWorld.playerProcessBits : 0;
}

bool PostMessage(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    PlayerHandler handler;
    {
        std::lock_guard lock(worldMutex);
        const uint32_t now = theWorld.manualClock ? theWorld.tick : RealTick();
        theWorld.sent.push_back(SentMessage{window, message, wParam, lParam, false, 0, 0, now, true});
        if (!window || window != theWorld.player) return false;
        if (theWorld.playerHung) return true;  // queued, never taken
        handler = theWorld.playerHandler;
    }
    // Taken from the queue at once: the fake has no message loop of its own.
    if (handler) handler(message, wParam, lParam);
    return true;
}

Window GetForegroundWindow() {
    std::lock_guard lock(worldMutex);
    return theWorld.foreground;
}

void SetForegroundWindow(Window window) {
    std::lock_guard lock(worldMutex);
    theWorld.foreground = window;
    theWorld.foregroundsSet.push_back(window);
}

void MessageBeep(uint32_t type) {
    std::lock_guard lock(worldMutex);
    theWorld.beeps.push_back(type);
}

void KeybdEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags) {
    std::lock_guard lock(worldMutex);
    theWorld.keybdEvents.push_back({virtualKey, scanCode, flags});
}

bool WaveOutGetVolume(uint32_t* volume) {
    std::lock_guard lock(worldMutex);
    if (theWorld.volumeFails) return false;
    *volume = theWorld.volume;
    return true;
}

void OemToCharBuff(const char* source, char* destination, uint32_t count) {
    std::lock_guard lock(worldMutex);
    for (uint32_t i = 0; i < count; ++i) {
        auto byte = static_cast<unsigned char>(source[i]);
        for (const auto& [ansi, oem] : theWorld.ansiToOem)
            if (oem == byte) {
                byte = ansi;
                break;
            }
        destination[i] = static_cast<char>(byte);
    }
}

void CharToOemBuff(const char* source, char* destination, uint32_t count) {
    std::lock_guard lock(worldMutex);
    for (uint32_t i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(source[i]);
        auto mapped = theWorld.ansiToOem.find(byte);
        destination[i] = static_cast<char>(mapped == theWorld.ansiToOem.end() ? byte : mapped->second);
    }
}

}  // namespace os
