#include "gdi/gdi.h"

int main()
{
    return 0;
}
