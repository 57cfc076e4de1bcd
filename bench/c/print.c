#include <stdio.h>
int main(void)
{
    int s = 0;
    for (int i = 1; i <= 4000000; ++i) {
        printf("%8d%8d%8d\n", i, i * 7, -i);
        s = (s + i) % 1000003;
    }
    printf("CHECK %d\n", s);
    return 0;
}
