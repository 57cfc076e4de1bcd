#include <stdio.h>
int main(void)
{
    int s = 0, x = 12345;
    for (int i = 1; i <= 12000000; ++i) {
        x = (x * 1103 + i) % 65521;
        s = (s * 3 + x / 7 + x % 13) % 1000003;
    }
    printf("CHECK %d\n", s);
    return 0;
}
