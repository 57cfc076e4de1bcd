#include <stdio.h>
static int st[1001];
int main(void)
{
    int d = 0, s = 0;
    for (int i = 1; i <= 5000000; ++i) {
        st[++d] = i; st[++d] = 3; st[d - 1] *= st[d]; --d;           /* PUSH PUSH MUL */
        st[++d] = 7; st[d - 1] += st[d]; --d;                         /* PUSH ADD */
        st[d + 1] = st[d]; ++d; st[d - 1] += st[d]; --d;              /* DUP ADD */
        st[++d] = 1000; st[d - 1] %= st[d]; --d;                      /* PUSH MOD */
        st[++d] = i % 17; st[d + 1] = st[d - 1]; ++d; st[d + 1] = st[d - 1]; ++d; /* PUSH OVER OVER */
        st[d - 1] *= st[d]; --d;                                      /* MUL */
        { int a = st[d - 2], b = st[d - 1], c = st[d]; st[d - 2] = c; st[d - 1] = a; st[d] = b; } /* ROT */
        st[d - 1] -= st[d]; --d;                                      /* SUB */
        { int t = st[d]; st[d] = st[d - 1]; st[d - 1] = t; t = st[d]; st[d] = st[d - 1]; st[d - 1] = t; }
        st[d + 1] = st[d]; ++d; --d;                                  /* DUP DROP */
        int p = st[d--], q = st[d--];
        s = (s + p * 3 + q + 100) % 1000003;
        __asm__ volatile("" ::: "memory");
    }
    printf("CHECK %d\n", s);
    return 0;
}
