// Test-machine support for the powerpc runs under qemu-user: the C library's double
// precision sin and cos save and set the rounding mode with the ISA 3.0 instructions
// mffscrni, mffscrn and mffsl, which older processors execute like mffs but which the
// emulator's 32-bit processor models reject as illegal. A SIGILL handler performs them
// (FRT <- FPSCR, and RN <- the given mode for the two rounding-mode forms), so the
// library's own results are computed and compared. Nothing of this is in the program.
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__powerpc__) && !defined(__powerpc64__)
#include <csignal>
#include <ucontext.h>

namespace {

void emulate_fpscr_move(int, siginfo_t*, void* context)
{
    ucontext_t* uc = static_cast<ucontext_t*>(context);
    mcontext_t* mc = uc->uc_mcontext.uc_regs;
    const uint32_t insn = *reinterpret_cast<const uint32_t*>(mc->gregs[PT_NIP]);
    const uint32_t rt = (insn >> 21) & 31, ra = (insn >> 16) & 31, rb = (insn >> 11) & 31;
    if ((insn >> 26) != 63 || ((insn >> 1) & 1023) != 583 || (ra != 22 && ra != 23 && ra != 24)) {
        signal(SIGILL, SIG_DFL);
        return;   // not one of ours: the instruction faults again, now fatally
    }
    uint64_t fpscr;
    std::memcpy(&fpscr, &mc->fpregs.fpscr, sizeof fpscr);
    std::memcpy(&mc->fpregs.fpregs[rt], &fpscr, sizeof fpscr);
    if (ra != 24) {
        uint64_t mode = rb & 3;                                   // mffscrni: immediate
        if (ra == 22) std::memcpy(&mode, &mc->fpregs.fpregs[rb], sizeof mode);   // mffscrn
        fpscr = (fpscr & ~uint64_t{3}) | (mode & 3);
        std::memcpy(&mc->fpregs.fpscr, &fpscr, sizeof fpscr);
    }
    mc->gregs[PT_NIP] += 4;
}

const bool installed = [] {
    struct sigaction action = {};
    action.sa_sigaction = emulate_fpscr_move;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGILL, &action, nullptr) == 0;
}();

}  // namespace
#endif

