// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a screen reader sees it: started with accessibility on, its tree is read over the
// AT-SPI bus, the way Orca reads it, rather than through Qt's own interfaces.

#include "data/datatestsupport.h"
#include "tempdir.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

// Failing comparisons show the texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace trek {
namespace {

// CTest counts this exit code as skipped: there is no accessibility bus to read the window on.
constexpr int SkipExitCode = 77;

const QString RegistryBus = QStringLiteral("org.a11y.atspi.Registry");
const QString RootPath = QStringLiteral("/org/a11y/atspi/accessible/root");
const QString AccessibleInterface = QStringLiteral("org.a11y.atspi.Accessible");
const QString TextInterface = QStringLiteral("org.a11y.atspi.Text");

// The address of the session's accessibility bus, started on demand by the session bus.
std::optional<QString> AccessibilityBusAddress()
{
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
        QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
    const QDBusMessage reply = QDBusConnection::sessionBus().call(ask, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        (void)std::fprintf(stderr, "no accessibility bus: %s\n",
                           qUtf8Printable(reply.errorMessage()));
        return std::nullopt;
    }
    return reply.arguments().constFirst().toString();
}

// One object of the tree: the bus name of its program and its path there.
struct Node
{
    QString bus;
    QString path;
};

// What a screen reader asks of each object, over the accessibility bus.
class AtSpiReader
{
public:
    explicit AtSpiReader(const QDBusConnection& bus) : m_bus(bus) {}

    QList<Node> children(const Node& node) const
    {
        QList<Node> found;
        const QDBusMessage reply = call(node, AccessibleInterface, QStringLiteral("GetChildren"));
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
            return found;
        }
        const auto list = reply.arguments().constFirst().value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) {
            QString bus;
            QDBusObjectPath path;
            list.beginStructure();
            list >> bus >> path;
            list.endStructure();
            found.append({bus, path.path()});
        }
        list.endArray();
        return found;
    }

    QString property(const Node& node, const QString& name) const
    {
        const QDBusMessage reply = call(node, QStringLiteral("org.freedesktop.DBus.Properties"),
                                        QStringLiteral("Get"), {AccessibleInterface, name});
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
            return {};
        }
        return reply.arguments().constFirst().value<QDBusVariant>().variant().toString();
    }

    // The whole text of an object that has a text at all; nothing for one without.
    std::optional<QString> text(const Node& node) const
    {
        const QDBusMessage interfaces =
            call(node, AccessibleInterface, QStringLiteral("GetInterfaces"));
        if (interfaces.arguments().isEmpty() ||
            !interfaces.arguments().constFirst().toStringList().contains(TextInterface)) {
            return std::nullopt;
        }
        const QDBusMessage reply = call(node, TextInterface, QStringLiteral("GetText"), {0, -1});
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
            return std::nullopt;
        }
        return reply.arguments().constFirst().toString();
    }

private:
    QDBusMessage call(const Node& node, const QString& interface, const QString& method,
                      const QVariantList& arguments = {}) const
    {
        QDBusMessage message =
            QDBusMessage::createMethodCall(node.bus, node.path, interface, method);
        message.setArguments(arguments);
        return m_bus.call(message, QDBus::Block, 5000);
    }

    QDBusConnection m_bus;
};

// An object as the screen reader met it.
struct Seen
{
    QString name;
    QString description;
    std::optional<QString> text;
};

class AtSpiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.write(QStringLiteral("Trekkomat2.INI"),
                  "[Advance]\r\nLanguage=0\r\n"
                  "[Personal]\r\nHeight=172\r\nWeight_g=68000\r\nStepSize=75\r\n"
                  "[Summary]\r\nTotalSteps=15912\r\nTotalPeriod=1500\r\n");
        // March 2024: 620 steps on the 5th, all between 10:00 and 11:00, and 600 on the 31st.
        std::vector<std::pair<int, int>> minutes;
        minutes.reserve(16);
        for (int minute = 0; minute < 5; ++minute) {
            minutes.push_back({test::SlotIndex(5, 10, minute), 100});
        }
        minutes.push_back({test::SlotIndex(5, 10, 6), 120});
        for (int minute = 50; minute < 60; ++minute) {
            minutes.push_back({test::SlotIndex(31, 23, minute), 60});
        }
        dir.write(QStringLiteral("Data/Stepo202403.BIN"), test::MonthBytes(minutes));
    }

    void TearDown() override
    {
        window.kill();
        window.waitForFinished(5000);
    }

    // Starts the window in the folder with accessibility on and returns its tree's root.
    std::optional<Node> startWindow(const AtSpiReader& reader)
    {
        // The registry is started on demand; a program that joins while it is still starting is
        // never listed.
        (void)reader.children({RegistryBus, RootPath});
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        window.setProcessEnvironment(environment);
        window.setWorkingDirectory(dir.path());
        window.start(QStringLiteral(TREK_WINDOW_PATH),
                     {QStringLiteral("--no-update-check"), QStringLiteral("--date"),
                      QStringLiteral("2024-03-05")});
        const QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired() && window.state() != QProcess::NotRunning) {
            for (const Node& application : reader.children({RegistryBus, RootPath})) {
                if (reader.property(application, QStringLiteral("Name")) ==
                    QLatin1String("trekkomat")) {
                    return application;
                }
            }
            QThread::msleep(100);
        }
        return std::nullopt;
    }

    static QList<Seen> ReadTree(const AtSpiReader& reader, const Node& root)
    {
        QList<Seen> seen;
        QList<Node> waiting{root};
        // Far more than the window has; a tree that never ends stops here.
        constexpr int MostObjects = 5000;
        while (!waiting.isEmpty() && seen.size() < MostObjects) {
            const Node node = waiting.takeFirst();
            seen.append({reader.property(node, QStringLiteral("Name")),
                         reader.property(node, QStringLiteral("Description")), reader.text(node)});
            waiting.append(reader.children(node));
        }
        return seen;
    }

    test::TempDir dir;
    QProcess window;
};

const Seen* Named(const QList<Seen>& seen, const QString& name)
{
    for (const Seen& object : seen) {
        if (object.name == name) {
            return &object;
        }
    }
    return nullptr;
}

// The text read out for the figure named `name`: its caption is a label of the same name.
QString FigureText(const QList<Seen>& seen, const QString& name)
{
    for (const Seen& object : seen) {
        if (object.name == name && object.text.has_value()) {
            return *object.text;
        }
    }
    return QStringLiteral("(no text named %1)").arg(name);
}

TEST_F(AtSpiTest, ScreenReaderReadsTheLifetimeFiguresTheChartSummaryAndTheControlNames)
{
    const std::optional<QString> address = AccessibilityBusAddress();
    ASSERT_TRUE(address.has_value());
    const QDBusConnection bus =
        QDBusConnection::connectToBus(*address, QStringLiteral("accessibility"));
    ASSERT_TRUE(bus.isConnected()) << bus.lastError().message().toStdString();
    const AtSpiReader reader(bus);

    const std::optional<Node> root = startWindow(reader);
    ASSERT_TRUE(root.has_value()) << "the window never joined the accessibility bus: "
                                  << window.readAllStandardError().toStdString();
    const QList<Seen> seen = ReadTree(reader, *root);

    // The lifetime figures: named by their captions, read as text with the stored numbers.
    EXPECT_EQ(FigureText(seen, QStringLiteral("Total Steps:")), QStringLiteral("15912"));
    EXPECT_EQ(FigureText(seen, QStringLiteral("Total Time:")),
              QStringLiteral("1 Days 1 Hours 0 Mintues"));

    // The month chart sums up the store's March.
    const bool summed = std::any_of(seen.begin(), seen.end(), [](const Seen& object) {
        return object.description.startsWith(
            QStringLiteral("2024/03: 1220 steps; busiest day 2024/03/05: 620 steps; "
                           "busiest hour 2024/03/05 10:00 ~ 11:00: 620 steps"));
    });
    EXPECT_TRUE(summed);

    // Controls without a text of their own are named by what they are.
    for (const char* name : {"Previous month", "Next month", "Progress", "Sleep monitor start hour",
                             "Sleep monitor stop minute"}) {
        EXPECT_NE(Named(seen, QLatin1String(name)), nullptr) << name;
    }
}

} // namespace
} // namespace trek

int main(int argc, char** argv)
{
    const QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (!trek::AccessibilityBusAddress()) {
        return trek::SkipExitCode;
    }
    return RUN_ALL_TESTS();
}
