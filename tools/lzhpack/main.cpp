// lzhpack: packs a file into a headerless LZHUF stream, or unpacks one.
#include <stdio.h>

int main(int, char**)
{
    fprintf(stderr, "lzhpack: not built yet\n");
    return 2;
}
