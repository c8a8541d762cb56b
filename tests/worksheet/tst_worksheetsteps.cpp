#include <QTest>

class Tst_worksheetsteps : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(Tst_worksheetsteps)
#include "tst_worksheetsteps.moc"
