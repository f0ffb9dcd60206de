#include "live/DiagFile.h"

#include "device/Conversions.h"
#include "platform/FileKind.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <locale.h>

namespace vexor {

SRecordUnits SRecordUnits::fromSettings(const DeviceSettings& settings) {
    SRecordUnits units;
    units.advancedFlags = settings.m_advancedSetup.m_advancedFlags;
    units.advancedFlags2 = settings.m_advancedSetup.m_advancedFlags2;
    units.gasTemprColumn = settings.m_sensorsSetup.m_temprLPGSensor;
    units.reducerTemprColumn = settings.m_sensorsSetup.m_temprEngineSensor;
    return units;
}

std::string recordLine(const CDiag& record, const SRecordUnits& units) {
    std::array<SInjectorTimes, CDiag::kInjectorCount> t;
    for (int i = 0; i < CDiag::kInjectorCount; ++i)
        t[i] = record.injectorTimes(i);

    // The oscilloscope reads these files back with the C library; a decimal
    // comma from the user's locale would make them unreadable.
    locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    locale_t previous = c ? uselocale(c) : static_cast<locale_t>(0);

    char line[512];
    std::snprintf(line, sizeof line,
                  "%d\t%4.0f\t%4.2f\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\t%."
                  "2f\t%.2f\t%.2f\t%.2f\t%.2f\t%.0f\t%.0f\t%.0f\t%.0f\t%.1f\t%.1f",
                  static_cast<int>(record.workMode()), record.rpm(), t[0].petrolMs, t[0].gasMs,
                  t[1].petrolMs, t[1].gasMs, t[2].petrolMs, t[2].gasMs, t[3].petrolMs, t[3].gasMs,
                  t[4].petrolMs, t[4].gasMs, t[5].petrolMs, t[5].gasMs, t[6].petrolMs, t[6].gasMs,
                  t[7].petrolMs, t[7].gasMs, pressureFromRaw(record.gasPressureRaw()),
                  manifoldFromRaw(record.manifoldRaw(), units.advancedFlags, units.advancedFlags2),
                  temprFromRaw(record.gasTemprRaw(), units.gasTemprColumn),
                  temprFromRaw(record.reducerTemprRaw(), units.reducerTemprColumn),
                  voltFromRaw(record.lambda1Raw()), voltFromRaw(record.lambda2Raw()));

    if (c) {
        uselocale(previous);
        freelocale(c);
    }
    return line;
}

} // namespace vexor

CDiagFile::~CDiagFile() {
    close();
}

bool CDiagFile::open(const std::string& path, bool write, bool append) {
    close();
    m_write = write;
    m_path = path;
    m_error = 0;
    if (!path.empty()) {
        errno = 0;
        if (write) {
            if (std::FILE* stream = vexor::openRegularForWrite(path, append)) {
                // Lines go straight to the descriptor, one write each.
                m_fd = ::dup(::fileno(stream));
                std::fclose(stream);
            }
        } else {
            m_file = vexor::openRegularForRead(path);
        }
        m_error = isOpen() ? 0 : (errno != 0 ? errno : EINVAL);
    }
    if (!isOpen()) {
        m_path.clear();
        return false;
    }
    return true;
}

void CDiagFile::close() {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_path.clear();
}

bool CDiagFile::writeRecord(const CDiag& record, const vexor::SRecordUnits& units) {
    return writeLine(vexor::recordLine(record, units));
}

bool CDiagFile::writeLine(const std::string& line) {
    if (m_fd < 0 || !m_write)
        return false;
    const std::string text = line + "\n";
    const off_t before = ::lseek(m_fd, 0, SEEK_END);
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(m_fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_error = n < 0 ? errno : ENOSPC;
            // The part of the line that made it to the disk goes again, so
            // the file ends with a whole line.
            if (done > 0 && before >= 0)
                (void)::ftruncate(m_fd, before);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}
