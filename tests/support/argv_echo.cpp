// Test helper: writes its arguments, each followed by a NUL byte, to the file named by the
// environment variable AKT_ARGV_OUT, then exits with code 0.
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    const char* out = std::getenv("AKT_ARGV_OUT");
    if (!out)
        return 2;
    std::FILE* file = std::fopen(out, "wb");
    if (!file)
        return 2;
    for (int i = 1; i < argc; ++i)
        std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, file);
    return std::fclose(file) == 0 ? 0 : 2;
}
