#include <QTest>

class Tst_frmondal : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(Tst_frmondal)
#include "tst_frmondal.moc"
