// A program built for the Pentium Pro on purpose: there the larger of two numbers is a conditional
// move, which a Pentium cannot run. The instruction audit must name it.
extern "C" __attribute__((noinline)) int Larger(int a, int b) {
    return a < b ? b : a;
}

int main(int argc, char**) {
    return Larger(argc, 2);
}
