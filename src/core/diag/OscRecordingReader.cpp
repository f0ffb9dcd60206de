#include "diag/OscRecordingReader.h"

#include <cmath>
#include <locale.h>

namespace {

// Numbers in the file always have a decimal point; the reader must not take
// the user's locale's decimal comma for a field separator.
class CNumericLocale {
public:
    CNumericLocale() : m_c(newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0))) {
        if (m_c)
            m_previous = uselocale(m_c);
    }
    ~CNumericLocale() {
        if (m_c) {
            uselocale(m_previous);
            freelocale(m_c);
        }
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    locale_t m_c;
    locale_t m_previous = static_cast<locale_t>(0);
};

} // namespace

COscRecordingReader::~COscRecordingReader() {
    close();
}

bool COscRecordingReader::open(const std::string& path) {
    close();
    if (!path.empty())
        m_file = std::fopen(path.c_str(), "r");
    return m_file != nullptr;
}

void COscRecordingReader::close() {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

bool COscRecordingReader::next(vexor::OscLine& line) {
    if (!m_file)
        return false;
    CNumericLocale c;
    for (double& value : line) {
        if (std::fscanf(m_file, "%lf", &value) != 1 || !std::isfinite(value)) {
            close();
            return false;
        }
    }
    return true;
}
