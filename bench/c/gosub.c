#include <stdio.h>
static int s, i;
__attribute__((noinline)) static void two(void) { s = (s + 1) % 1000003; }
__attribute__((noinline)) static void one(void) { s = s + i % 3; two(); }
int main(void)
{
    for (i = 1; i <= 10000000; ++i) one();
    printf("CHECK %d\n", s);
    return 0;
}
