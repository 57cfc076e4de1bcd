#include <stdio.h>
static int a[4096];
int main(void)
{
    int c = 0;
    for (int r = 1; r <= 2000; ++r) {
        for (int i = 2; i <= 4095; ++i) a[i] = 1;
        for (int i = 2; i <= 63; ++i)
            if (a[i])
                for (int j = i * i; j <= 4095; j += i) a[j] = 0;
        for (int i = 2; i <= 4095; ++i) c += a[i];
        __asm__ volatile("" ::: "memory"); /* keep each round */
    }
    printf("CHECK %d\n", c);
    return 0;
}
