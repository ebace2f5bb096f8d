/* Exits 0 if this machine's kernel lets a 64-bit program run 32-bit code in its 32-bit user code segment
 * (selector 0x23), which Wine's WoW64 mode runs 32-bit Windows programs in. Where the kernel's IA-32
 * emulation is off, that segment is absent and entering it faults: the program dies of SIGSEGV.
 * Built without PIE, so that the code the far return lands in lies below 4 GiB. */
#include <stdint.h>
#include <string.h>
#include <sys/mman.h>

int main(void) {
    /* Code and stack below 4 GiB, where 32-bit code can reach them. */
    unsigned char* low = mmap((void*)0x100000, 8192, PROT_READ | PROT_WRITE | PROT_EXEC,
                              MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
    if (low == MAP_FAILED) return 2;
    const unsigned char code[] = {0xB8, 42, 0, 0, 0, /* mov eax, 42 */ 0xCB /* far return to 64-bit */};
    memcpy(low, code, sizeof code);
    uint32_t result;
    __asm__ volatile(
        "mov %%rsp, %%rbx\n\t"
        "mov $0x101f00, %%rsp\n\t"
        "lea 1f(%%rip), %%rcx\n\t"
        "sub $8, %%rsp\n\t"
        "movl %%ecx, 0(%%rsp)\n\t" /* where the 32-bit far return lands, */
        "movl $0x33, 4(%%rsp)\n\t" /* in the 64-bit code segment */
        "pushq $0x23\n\t"
        "pushq $0x100000\n\t"
        "lretq\n\t"
        "1: mov %%rbx, %%rsp\n\t"
        : "=a"(result)
        :
        : "rbx", "rcx", "memory");
    return result == 42 ? 0 : 1;
}
