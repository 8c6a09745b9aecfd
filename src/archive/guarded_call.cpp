#include "archive/guarded_call.h"

#include "ui/win32.h"

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

#elif defined(__x86_64__)

// x86-64 keeps no handler chain: handlers are found through each function's
// unwind data. QmGuardedInvoke is a small function whose unwind data names
// QmGuardHandler, so the handler sees what the library's own frames left
// unhandled; it unwinds those frames and resumes at QmGuardResume, which
// returns 0 from QmGuardedInvoke.
extern "C" {
int QmGuardedInvoke(void (*fn)(void*), void* ctx);
void QmGuardResume();
EXCEPTION_DISPOSITION QmGuardHandler(EXCEPTION_RECORD* rec, void* frame, CONTEXT*,
                                     DISPATCHER_CONTEXT* dispatch);
}

asm(R"(
    .text
    .globl QmGuardedInvoke
    .globl QmGuardResume
    .def QmGuardedInvoke; .scl 2; .type 32; .endef
    .seh_proc QmGuardedInvoke
QmGuardedInvoke:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    .seh_handler QmGuardHandler, @except
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    nop
    movl $1, %eax
    addq $40, %rsp
    retq
QmGuardResume:
    xorl %eax, %eax
    addq $40, %rsp
    retq
    .seh_endproc
)");

EXCEPTION_DISPOSITION QmGuardHandler(EXCEPTION_RECORD* rec, void* frame, CONTEXT*,
                                     DISPATCHER_CONTEXT* dispatch) {
    if (rec->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    RtlUnwindEx(frame, reinterpret_cast<void*>(&QmGuardResume), rec, nullptr,
                dispatch->ContextRecord, dispatch->HistoryTable);
    return ExceptionContinueSearch; // not reached: the unwind resumes in the guard
}

namespace {

struct GuardedCall {
    void (*fn)(void*);
    void* ctx;
    bool threw;
};

void RunCatchingCxx(void* p) {
    auto* call = static_cast<GuardedCall*>(p);
    CallCatchingCxx(call->fn, call->ctx, &call->threw);
}

} // namespace

bool RunGuarded(void (*fn)(void*), void* ctx) {
    volatile GuardedCall call{fn, ctx, false};
    const int returned = QmGuardedInvoke(&RunCatchingCxx, const_cast<GuardedCall*>(&call));
    return returned && !call.threw;
}

#else
#error "RunGuarded needs a guard for this processor"
#endif
