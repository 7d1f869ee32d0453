/* Compiles the engine's header as C and calls an export through it. */
#include "engine/api/zintra.h"

#include <stdio.h>

int main(void) {
    char reply[8] = "x";
    int length = zintraMatch("", "<P>x</P>", reply);
    if (length != 0 || reply[0] != '\0') {
        printf("an uninitialised engine answered %d bytes\n", length);
        return 1;
    }
    return 0;
}
