#include <QTest>

class Tst_frmondal_steps : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(Tst_frmondal_steps)
#include "tst_frmondal_steps.moc"
