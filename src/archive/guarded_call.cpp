#include "archive/guarded_call.h"

#include <windows.h>

namespace {

void CallCatchingCxx(void (*fn)(void*), void* ctx, bool* threw) {
    try {
        fn(ctx);
    } catch (...) {
        *threw = true;
    }
}

} // namespace

#if defined(__i386__)

// A frame-based exception handler on the thread's handler chain (fs:[0]):
// it only sees what the library itself did not handle. On a fault it unwinds
// the library's frames and jumps back to the guard.
namespace {

struct GuardFrame {
    void* next; // the handler chain record must come first
    void* handler;
    void* jump[5];
};

void* ReadChainHead() {
    void* head;
    asm volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}

void WriteChainHead(void* head) {
    asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory");
}

EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* rec, void* frame, CONTEXT*, void*) {
    if (rec->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    RtlUnwind(frame, nullptr, rec, nullptr);
    __builtin_longjmp(static_cast<GuardFrame*>(frame)->jump, 1);
}

} // namespace

__attribute__((noinline)) bool RunGuarded(void (*fn)(void*), void* ctx) {
    volatile GuardFrame g;
    g.next = ReadChainHead();
    g.handler = reinterpret_cast<void*>(&GuardHandler);
    bool threw = false;
    if (__builtin_setjmp(const_cast<void**>(g.jump)) == 0) {
        WriteChainHead(const_cast<GuardFrame*>(&g));
        CallCatchingCxx(fn, ctx, &threw);
        WriteChainHead(g.next);
        return !threw;
    }
    WriteChainHead(g.next);
    return false;
}

#else

bool RunGuarded(void (*fn)(void*), void* ctx) {
    bool threw = false;
    CallCatchingCxx(fn, ctx, &threw);
    return !threw;
}

#endif
