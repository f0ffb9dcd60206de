#include "device/RSError.h"

void CRSError::fillCodeTexts(std::vector<std::string>& table) const {
    IError::fillCodeTexts(table);
    table.push_back("COM port error - can't open.");
    table.push_back("COM port error - can't read/write.");
}
