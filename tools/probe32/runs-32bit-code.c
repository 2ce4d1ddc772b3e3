// Answers one question: can this machine execute 32-bit x86 code inside a
// 64-bit process? That is what Wine's WoW64 does to run a 32-bit Windows
// program: it far-returns into the 32-bit user code segment and back. Some
// virtual machines run no 32-bit code at all; there the switch faults.
// Prints "yes" (exit 0) or "no" (exit 1). Linux x86-64 only; built static
// and not position-independent, so the code and the stack used in 32-bit
// mode lie below 4 GB.
#include <setjmp.h>
#include <signal.h>
#include <stdio.h>

int run_32bit_code(void);

// Saves the callee-saved registers, switches to a small stack below 4 GB,
// far-returns to the 32-bit code segment (selector 0x23), computes 0x32
// there and far-returns to the 64-bit segment (0x33).
__asm__(
    "    .bss\n"
    "    .balign 16\n"
    "stack32: .skip 4096\n"
    "stack32_top:\n"
    "saved_rsp: .quad 0\n"
    "    .text\n"
    "    .globl run_32bit_code\n"
    "run_32bit_code:\n"
    "    push %rbx\n    push %rbp\n    push %r12\n    push %r13\n    push %r14\n    push %r15\n"
    "    mov %rsp, saved_rsp(%rip)\n"
    "    lea stack32_top(%rip), %rsp\n"
    "    pushq $0x23\n"
    "    lea code32(%rip), %rax\n"
    "    push %rax\n"
    "    lretq\n"
    "    .code32\n"
    "code32:\n"
    "    movl $0x30, %eax\n"
    "    addl $2, %eax\n"
    "    pushl $0x33\n"
    "    pushl $back64\n"
    "    lret\n"
    "    .code64\n"
    "back64:\n"
    "    mov saved_rsp(%rip), %rsp\n"
    "    pop %r15\n    pop %r14\n    pop %r13\n    pop %r12\n    pop %rbp\n    pop %rbx\n"
    "    ret\n");

static sigjmp_buf fault;
static void on_fault(int sig) { (void)sig; siglongjmp(fault, 1); }

int main(void) {
    struct sigaction sa = {0};
    sa.sa_handler = on_fault;
    sigaction(SIGSEGV, &sa, 0);
    sigaction(SIGILL, &sa, 0);
    sigaction(SIGBUS, &sa, 0);
    if (sigsetjmp(fault, 1) == 0 && run_32bit_code() == 0x32) {
        puts("yes");
        return 0;
    }
    puts("no");
    return 1;
}
