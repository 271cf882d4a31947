/* fixtrap.so: preloaded into every i386 process that runs under qemu-user
 * (listed in the i386 root's own /etc/ld.so.preload).
 *
 * qemu-user delivers SIGSEGV, SIGBUS, SIGILL, SIGFPE and SIGTRAP with the
 * signal context's trap number at -1. Wine's i386 signal handlers decide
 * what kind of exception to raise from that number, so without this every
 * access violation became an illegal instruction (no guard pages, no
 * catchable faults) and a division by zero a floating-point fault.
 *
 * sigaction is wrapped: a handler for one of those signals is called
 * through a trampoline that fills the trap number in from the signal and
 * its si_code, as the kernel would. It must stay freestanding (no TLS, no
 * errno, no stack protector): it runs before Wine sets up its segments.
 */
typedef void (*SignalHandler)(int, void *, void *);

/* glibc's i386 struct sigaction */
struct KernelSigaction {
  SignalHandler handler;
  unsigned long mask[32];
  int flags;
  void (*restorer)(void);
};

extern void *dlsym(void *, const char *);
#define RTLD_NEXT ((void *)-1)
#define SA_SIGINFO 4

enum { kSigIll = 4, kSigTrap = 5, kSigBus = 7, kSigFpe = 8, kSigSegv = 11, kSignalCount = 65 };
/* In ucontext: uc_flags, uc_link and the three words of uc_stack come
 * before the general registers; REG_TRAPNO is the 13th of those. */
enum { kGregsOffset = 20, kRegTrapNumber = 12 };
/* x86 exception vectors */
enum {
  kDivideError = 0, kDebug = 1, kBreakpoint = 3, kOverflow = 4, kInvalidOpcode = 6,
  kGeneralProtection = 13, kPageFault = 14, kFloatingPoint = 16, kAlignmentCheck = 17
};

static SignalHandler realHandlers[kSignalCount];
static int (*realSigaction)(int, const struct KernelSigaction *, struct KernelSigaction *);

static int TrapNumberFor(int signal, int code) {
  switch (signal) {
    case kSigSegv: return (code == 1 || code == 2) ? kPageFault : kGeneralProtection; /* MAPERR, ACCERR */
    case kSigBus: return code == 1 ? kAlignmentCheck : kPageFault;                    /* ADRALN */
    case kSigIll: return kInvalidOpcode;
    case kSigFpe: return code == 1 ? kDivideError : code == 2 ? kOverflow : kFloatingPoint; /* INTDIV, INTOVF */
    case kSigTrap: return code == 2 ? kDebug : kBreakpoint;                            /* TRAP_TRACE */
  }
  return kGeneralProtection;
}

static void Trampoline(int signal, void *info, void *context) {
  unsigned *registers = (unsigned *)((char *)context + kGregsOffset);
  int code = ((int *)info)[2]; /* si_signo, si_errno, si_code */
  if ((int)registers[kRegTrapNumber] == -1) registers[kRegTrapNumber] = (unsigned)TrapNumberFor(signal, code);
  realHandlers[signal](signal, info, context);
}

static int IsFaultSignal(int signal) {
  return signal == kSigSegv || signal == kSigBus || signal == kSigIll || signal == kSigFpe || signal == kSigTrap;
}

int sigaction(int signal, const struct KernelSigaction *action, struct KernelSigaction *old) {
  struct KernelSigaction wrapped;
  int wrap = 0;
  if (!realSigaction) realSigaction = dlsym(RTLD_NEXT, "sigaction");
  if (action && IsFaultSignal(signal) && (action->flags & SA_SIGINFO) && (unsigned long)action->handler > 1) {
    wrapped = *action;
    wrapped.handler = Trampoline;
    wrap = 1;
  }
  int inRange = signal > 0 && signal < kSignalCount;
  SignalHandler previous = inRange ? realHandlers[signal] : 0;
  int result = realSigaction(signal, wrap ? &wrapped : action, old);
  if (result == 0 && inRange) {
    /* The caller sees its own handler, never the trampoline. */
    if (old && old->handler == Trampoline) old->handler = previous;
    if (action) realHandlers[signal] = wrap ? action->handler : 0;
  }
  return result;
}
int __sigaction(int, const struct KernelSigaction *, struct KernelSigaction *) __attribute__((alias("sigaction")));
