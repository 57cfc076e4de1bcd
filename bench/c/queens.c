#include <stdio.h>
#include <stdlib.h>
static int a[20];
int main(void)
{
    int t = 0;
    for (int r = 1; r <= 150; ++r) {
        int n = 8, k = 1;
        a[1] = 0;
        for (;;) {
            a[k]++;
            if (a[k] > n) {
                if (--k > 0) continue;
                break;
            }
            int ok = 1;
            for (int j = 1; j < k; ++j)
                if (a[j] == a[k] || abs(a[j] - a[k]) == k - j) { ok = 0; break; }
            if (!ok) continue;
            if (k == n) { t++; continue; }
            a[++k] = 0;
        }
        __asm__ volatile("" ::: "memory");
    }
    printf("CHECK %d\n", t);
    return 0;
}
