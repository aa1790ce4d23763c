/* A Windows console program for the launch tests: writes its arguments, one a line, and the first
   bytes of the file its first argument names to OUT.TXT in its working directory. */
#include <stdio.h>

int main(int argc, char** argv)
{
    FILE* out = fopen("OUT.TXT", "wb");
    if (!out)
        return 1;
    for (int i = 1; i < argc; ++i)
        fprintf(out, "%s\n", argv[i]);
    FILE* in = argc > 1 ? fopen(argv[1], "rb") : NULL;
    if (in) {
        char head[16];
        fwrite(head, 1, fread(head, 1, sizeof head, in), out);
        fclose(in);
    }
    fclose(out);
    return 0;
}
