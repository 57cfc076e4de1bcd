#include <stdio.h>
#include <stdlib.h>
static int a[4096];
static int up(const void* x, const void* y) { int p = *(const int*)x, q = *(const int*)y; return (p > q) - (p < q); }
static int down(const void* x, const void* y) { return up(y, x); }
int main(void)
{
    int s = 0;
    for (int r = 1; r <= 200000; ++r) {
        a[1] = r;
        for (int k = 1; k < 50; ++k) a[1 + k] = r + k;
        qsort(a + 1, 50, sizeof a[0], down);
        qsort(a + 1, 50, sizeof a[0], up);
        int v = r + r % 49, found = 0;
        for (int k = 1; k <= 50; ++k)
            if (a[k] == v) { found = k; break; }
        s = (s + found * 7 + a[r % 50 + 1]) % 1000003;
        for (int k = 1; k <= 50; ++k) a[k] = 0;
        __asm__ volatile("" ::: "memory");
    }
    printf("CHECK %d\n", s);
    return 0;
}
