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

RecordFields recordFields(const CDiag& record, const SRecordUnits& units) {
    std::array<double, 24> value{};
    value[0] = static_cast<int>(record.workMode());
    value[1] = record.rpm();
    for (int i = 0; i < CDiag::kInjectorCount; ++i) {
        const SInjectorTimes t = record.injectorTimes(i);
        value[2 + 2 * i] = t.petrolMs;
        value[3 + 2 * i] = t.gasMs;
    }
    value[18] = pressureFromRaw(record.gasPressureRaw());
    value[19] = manifoldFromRaw(record.manifoldRaw(), units.advancedFlags, units.advancedFlags2);
    value[20] = temprFromRaw(record.gasTemprRaw(), units.gasTemprColumn);
    value[21] = temprFromRaw(record.reducerTemprRaw(), units.reducerTemprColumn);
    value[22] = voltFromRaw(record.lambda1Raw());
    value[23] = voltFromRaw(record.lambda2Raw());

    // The oscilloscope reads these files back with the C library; a decimal
    // comma from the user's locale would make them unreadable.
    locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    locale_t previous = c ? uselocale(c) : static_cast<locale_t>(0);
    RecordFields fields;
    char text[64];
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i == 0)
            std::snprintf(text, sizeof text, "%d", static_cast<int>(value[0]));
        else if (i == 1)
            std::snprintf(text, sizeof text, "%4.0f", value[1]);
        else if (i == 2)
            std::snprintf(text, sizeof text, "%4.2f", value[2]);
        else
            std::snprintf(text, sizeof text,
                          i >= 22   ? "%.1f"
                          : i >= 18 ? "%.0f"
                                    : "%.2f",
                          value[i]);
        fields[i] = text;
    }
    if (c) {
        uselocale(previous);
        freelocale(c);
    }
    return fields;
}

std::string recordLine(const CDiag& record, const SRecordUnits& units) {
    std::string line;
    for (const std::string& field : recordFields(record, units))
        line += (line.empty() ? "" : "\t") + field;
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
