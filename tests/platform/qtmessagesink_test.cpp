#include <QtTest>
class MessageSinkTest : public QObject { Q_OBJECT };
QTEST_MAIN(MessageSinkTest)
#include "qtmessagesink_test.moc"
