#include "lang/zqx_disk.h"

ZQX_Disk::~ZQX_Disk() {}
long zqxfmt_2_long(const unsigned char*, unsigned) {
    return 0;
}
int long_2_zqxfmt(long, unsigned char*, unsigned) {
    return 0;
}
abort_reason ZQX_Disk::writeTo(const char*, int) {
    return ar_WRITE_FILE;
}
abort_reason ZQX_Disk::readFrom(const char*, int) {
    return ar_READ_FILE;
}
void ZQX_Disk::makeHeader(ZQXHeader&) {}
abort_reason ZQX_Disk::checkHeader(ZQXHeader&) {
    return ar_NOT_ZQX;
}
abort_reason ZQX_Disk::readCode() {
    return ar_READ_FILE;
}
abort_reason ZQX_Disk::readConstants() {
    return ar_READ_FILE;
}
