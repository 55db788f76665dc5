#include "test_program.h"

#include "program_setup.h"
#include "state.h"

#include <QTest>

TestProgram::TestProgram(bool openDatabases) {
    QVERIFY2(m_dir.isValid(), "temporary directory");
    ResetState();
    SetAppPath(m_dir.path());
    m_dm = std::make_unique<TDM>();
    if (openDatabases) start();
}

TestProgram::~TestProgram() {
    m_dm.reset();
    ResetState();
}

QString TestProgram::dataPath() const {
    return G().gDataPath;
}

void TestProgram::start() {
    PrepareProgramFolders();
    OpenDatabases();
    LoadCalendarSettings();
}
