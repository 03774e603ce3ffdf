/* Exits 0 when this kernel runs 32-bit code inside a 64-bit process, as Wine's new
 * WoW64 mode does for 32-bit Windows programs: a far jump into the 32-bit user code
 * segment and straight back. Some kernels refuse it (the jump faults) even where
 * they start 64-bit programs only. */
#include <stdint.h>
#include <string.h>
#include <sys/mman.h>

int main(void)
{
    /* The 32-bit code must lie below 4 GB. */
    unsigned char* low = mmap((void*)0x10000000, 4096, PROT_READ | PROT_WRITE | PROT_EXEC,
                              MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
    if (low == MAP_FAILED) return 2;
    /* 32-bit: mov eax, 32; jmp far 0x33:low+0x100 (back to 64-bit code). */
    const unsigned char code32[] = {0xb8, 32, 0, 0, 0, 0xea, 0x00, 0x01, 0x00, 0x10, 0x33, 0x00};
    memcpy(low, code32, sizeof code32);
    /* 64-bit at low+0x100: mov rcx, imm64; jmp rcx (to the label below). */
    unsigned char* back = low + 0x100;
    back[0] = 0x48;
    back[1] = 0xb9;
    back[10] = 0xff;
    back[11] = 0xe1;
    void* label;
    __asm__ volatile("lea 1f(%%rip), %0" : "=r"(label));
    memcpy(back + 2, &label, sizeof label);
    struct __attribute__((packed)) {
        uint32_t offset;
        uint16_t selector;
    } target = {0x10000000, 0x23};
    uint64_t result = 0;
    __asm__ volatile("ljmpl *(%1)\n1:\n" : "=a"(result) : "r"(&target) : "rcx", "memory");
    return result == 32 ? 0 : 1;
}
