// Prints the generated database content, writes the shipped SQL resources, or creates
// database files holding a generated company for benchmarks.

#include "company_generator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

namespace {

bool writeFile(const QString &path, const QString &text) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const QByteArray bytes = text.toUtf8();
    return f.write(bytes) == bytes.size();
}

void print(const QString &text) {
    QFile out;
    if (out.open(stdout, QIODevice::WriteOnly)) out.write(text.toUtf8());
}

int fail(const QString &message) {
    QTextStream(stderr) << message << Qt::endl;
    return 1;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Generates the shipped database content."));
    p.addHelpOption();
    p.addOptions({
        {QStringLiteral("control"), QStringLiteral("Print the control database content.")},
        {QStringLiteral("sample"), QStringLiteral("Print the sample company.")},
        {QStringLiteral("employees"), QStringLiteral("Print a company of N employees."),
         QStringLiteral("N")},
        {QStringLiteral("kco"), QStringLiteral("Company code (default 1)."), QStringLiteral("K")},
        {QStringLiteral("name"), QStringLiteral("Company name."), QStringLiteral("NAME")},
        {QStringLiteral("years"), QStringLiteral("Fiscal years (default 2017,2018)."),
         QStringLiteral("Y,Y")},
        {QStringLiteral("seed"), QStringLiteral("Random seed."), QStringLiteral("S")},
        {QStringLiteral("database"),
         QStringLiteral("With --employees: write a data database file instead of printing."),
         QStringLiteral("PATH")},
        {QStringLiteral("control-database"),
         QStringLiteral("With --employees: also write a control database indexing the company."),
         QStringLiteral("PATH")},
        {QStringLiteral("write-resources"),
         QStringLiteral("Write control_content.sql and sample_company.sql into DIR."),
         QStringLiteral("DIR")},
    });
    p.process(app);

    if (p.isSet(QStringLiteral("write-resources"))) {
        const QDir dir(p.value(QStringLiteral("write-resources")));
        if (!writeFile(dir.filePath(QStringLiteral("control_content.sql")),
                       generator::ControlContentSql()) ||
            !writeFile(dir.filePath(QStringLiteral("sample_company.sql")),
                       generator::SampleCompanySql()))
            return fail(QStringLiteral("cannot write into ") + dir.path());
        return 0;
    }
    if (p.isSet(QStringLiteral("control"))) {
        print(generator::ControlContentSql());
        return 0;
    }
    if (p.isSet(QStringLiteral("sample"))) {
        print(generator::SampleCompanySql());
        return 0;
    }
    if (!p.isSet(QStringLiteral("employees"))) p.showHelp(1);

    generator::CompanyOptions o;
    bool ok = true;
    o.employees = p.value(QStringLiteral("employees")).toInt(&ok);
    if (!ok || o.employees < 1) return fail(QStringLiteral("--employees needs a positive number"));
    if (p.isSet(QStringLiteral("kco"))) {
        o.kco = p.value(QStringLiteral("kco")).toInt(&ok);
        if (!ok || o.kco < 1) return fail(QStringLiteral("--kco needs a positive number"));
    }
    o.name = p.isSet(QStringLiteral("name")) ? p.value(QStringLiteral("name"))
                                             : QStringLiteral("試験会社%1").arg(o.kco);
    const QString years = p.value(QStringLiteral("years"));
    for (const QString &y : (years.isEmpty() ? QStringLiteral("2017,2018") : years)
                                .split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        o.years << y.trimmed().toInt(&ok);
        if (!ok) return fail(QStringLiteral("bad fiscal year: ") + y);
    }
    if (p.isSet(QStringLiteral("seed"))) {
        o.seed = p.value(QStringLiteral("seed")).toUInt(&ok);
        if (!ok) return fail(QStringLiteral("--seed needs a number"));
    }

    if (!p.isSet(QStringLiteral("database"))) {
        print(generator::CompanySql(o));
        return 0;
    }
    QElapsedTimer timer;
    timer.start();
    if (!generator::WriteCompanyDatabase(p.value(QStringLiteral("database")), o))
        return fail(QStringLiteral("cannot create ") + p.value(QStringLiteral("database")));
    if (p.isSet(QStringLiteral("control-database")) &&
        !generator::WriteControlDatabase(p.value(QStringLiteral("control-database")), {o}))
        return fail(QStringLiteral("cannot create ") + p.value(QStringLiteral("control-database")));
    QTextStream(stderr) << o.employees << " employees x " << o.years.size() << " years in "
                        << timer.elapsed() << " ms" << Qt::endl;
    return 0;
}
