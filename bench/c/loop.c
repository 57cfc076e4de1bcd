#include <stdio.h>
int main(void)
{
    volatile int s = 0; /* volatile: the loop must run, as in the interpreters */
    for (int j = 1; j <= 1000; ++j) {
        for (int i = 1; i <= 60000; ++i) s = s + i;
        s = s % 1000;
    }
    printf("CHECK %d\n", s);
    return 0;
}
