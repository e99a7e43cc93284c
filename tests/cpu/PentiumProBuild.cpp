// A program built for the Pentium Pro on purpose: there the larger of two numbers is a conditional
// move, which a Pentium cannot run. The instruction audit must name it.
extern "C" __attribute__((noinline)) int Larger(int a, int b) {
    return a < b ? b : a;
}

// Each other kind of instruction the audit refuses, written out; never run.
extern "C" __attribute__((noinline)) void Newer() {
    asm volatile("cmovne %%eax, %%edx\n\tcmovnb %%eax, %%edx\n\tfcmovnbe %%st(1), %%st\n\t"
                 "fcomi %%st(1), %%st\n\tfcomip %%st(1), %%st\n\tfucomi %%st(1), %%st\n\tfucomip %%st(1), %%st\n\t"
                 "movd %%eax, %%mm0\n\temms\n\tpxor %%xmm0, %%xmm0\n\tldmxcsr (%%esp)\n\tfxsave (%%esp)" ::
                     : "eax", "edx", "memory", "cc");
}

// Names that only contain the name of a routine allowed those instructions are not that routine.
extern "C" __attribute__((noinline)) void Like_jsimd_idct_mmx() {
    asm volatile("emms");
}
extern "C" __attribute__((noinline)) void jsimd_idct_mmx_like() {
    asm volatile("emms");
}

int main(int argc, char**) {
    return Larger(argc, 2);
}
