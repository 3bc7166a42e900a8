/* Compiled by sdk.sh in every C and C++ standard with every warning an error: the header adds
 * none. With CALL_STUBS it calls a notice stub and a silent stub, which must warn unless
 * KELDANU_NO_STUB_WARNINGS is defined. */
#include <keldanu.h>

int check_header(void);
int check_header(void) {
    TCHAR path[KELDANU_PATH_CHARS] = TEXT("C:\\dir\\file.txt");
#ifdef CALL_STUBS
    PathCombineA(NULL, NULL, NULL);
    PathCanonicalizeW(NULL, NULL);
#endif
    return *PathFindExtension(path) == TEXT('.');
}
