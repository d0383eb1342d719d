#include "io/segy/segy_format.h"

namespace segy {

int BytesPerSample(int formatCode) {
  switch (formatCode) {
    case 1: case 2: case 4: case 5: case 10: return 4;
    case 3: case 11: return 2;
    case 6: case 9: case 12: return 8;
    case 7: case 15: return 3;
    case 8: case 16: return 1;
    default: return 0;
  }
}

const char* FormatText(int formatCode) {
  switch (formatCode) {
    case 1: return "32-bit,32 IBM float";
    case 2: case 4: return "32-bit,integer";
    case 3: return "16-bit,integer";
    case 5: return "32-bit,IEEE";
    // Codes 6 and 7 were reassigned by revision 2 (6 was once an 8-bit
    // integer); the texts follow the samples the files really hold.
    case 6: return "64-bit,IEEE";
    case 7: return "24-bit,integer";
    case 8: return " 8-bit,integer";
    case 9: return "64-bit,integer";
    case 10: return "32-bit,unsigned";
    case 11: return "16-bit,unsigned";
    case 12: return "64-bit,unsigned";
    case 15: return "24-bit,unsigned";
    case 16: return " 8-bit,unsigned";
    default: return "Data type";
  }
}

}  // namespace segy
