// kolo_browser FILE ADDRESS: the end-to-end scenarios' web browser. It appends
// each address it is asked to open to FILE, one a line.
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  std::FILE* f = std::fopen(argv[1], "a");
  if (!f) return 1;
  std::fprintf(f, "%s\n", argv[2]);
  return std::fclose(f) == 0 ? 0 : 1;
}
