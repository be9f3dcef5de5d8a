// Starting another program, behind an interface so the About box's
// system-information launcher can be tested without starting anything.
#pragma once

#include <QString>

namespace tavo {

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts the program detached, in a normal window. False if it could not start.
    virtual bool start(const QString& program_path) = 0;
};

class SystemProgramLauncher final : public ProgramLauncher {
public:
    bool start(const QString& program_path) override;
};

} // namespace tavo
