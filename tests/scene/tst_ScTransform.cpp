#include "scene/ScOffsetTransform.h"
#include "scene/ScTransform.h"

#include <QtTest>

#include <memory>

namespace {

const float tolerance = 1e-5f;

bool fuzzyEqual(const QVector3D &a, const QVector3D &b)
{
    return (a - b).length() <= tolerance;
}

bool fuzzyEqual(const QMatrix3x3 &a, const QMatrix3x3 &b)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            if (std::abs(a(r, c) - b(r, c)) > tolerance)
                return false;
    return true;
}

QByteArray text(const QVector3D &v)
{
    return QByteArray("(") + QByteArray::number(v.x(), 'g', 9) + ", "
        + QByteArray::number(v.y(), 'g', 9) + ", " + QByteArray::number(v.z(), 'g', 9) + ")";
}

// Stretches z by 3 on top of the offset transform, like a prism's depth.
class StretchedTransform : public ScOffsetTransform
{
public:
    QMatrix4x4 modelMatrix() const override
    {
        QMatrix4x4 m = ScOffsetTransform::modelMatrix();
        m.scale(1.0f, 1.0f, 3.0f);
        return m;
    }
};

} // namespace

class TestScTransform : public QObject
{
    Q_OBJECT

private slots:
    void defaultsAreIdentity();
    void mapsPoints_data();
    void mapsPoints();
    void normalMatrix_data();
    void normalMatrix();
    void settersChainOnTheSameObject();
    void normalMatrixUsesOverriddenModelMatrix();
};

void TestScTransform::defaultsAreIdentity()
{
    const ScTransform plain;
    const ScOffsetTransform offset;
    QVERIFY2(plain.modelMatrix().isIdentity(), "new ScTransform: model matrix is not identity");
    QVERIFY2(offset.modelMatrix().isIdentity(), "new ScOffsetTransform: model matrix is not identity");
    QVERIFY2(fuzzyEqual(plain.normalMatrix(), QMatrix3x3()), "new ScTransform: normal matrix");
    QVERIFY2(fuzzyEqual(offset.normalMatrix(), QMatrix3x3()), "new ScOffsetTransform: normal matrix");
    QCOMPARE(plain.scale, QVector3D(1, 1, 1));
    QCOMPARE(plain.rotation, QQuaternion());
}

void TestScTransform::mapsPoints_data()
{
    QTest::addColumn<QVector3D>("position");
    QTest::addColumn<QQuaternion>("rotation");
    QTest::addColumn<QVector3D>("scale");
    QTest::addColumn<QVector3D>("offset");
    QTest::addColumn<QVector3D>("point");
    QTest::addColumn<QVector3D>("expected");

    const QQuaternion quarterZ = QQuaternion::fromAxisAndAngle(0, 0, 1, 90);
    QTest::newRow("T R S") << QVector3D(1, 2, 3) << quarterZ << QVector3D(2, 1, 1) << QVector3D()
                           << QVector3D(1, 0, 0) << QVector3D(1, 4, 3);
    QTest::newRow("T R offset S") << QVector3D(1, 2, 3) << quarterZ << QVector3D(2, 1, 1)
                                  << QVector3D(0, -1, 0) << QVector3D(1, 0, 0) << QVector3D(2, 4, 3);
    QTest::newRow("offset before scale") << QVector3D() << QQuaternion() << QVector3D(3, 3, 3)
                                         << QVector3D(0, 1, 0) << QVector3D(0, 1, 0)
                                         << QVector3D(0, 4, 0);
    QTest::newRow("pivot is position") << QVector3D(5, 0, 0) << quarterZ << QVector3D(1, 1, 1)
                                       << QVector3D(0, -1, 0) << QVector3D(0, 0, 0)
                                       << QVector3D(6, 0, 0);
}

void TestScTransform::mapsPoints()
{
    QFETCH(QVector3D, position);
    QFETCH(QQuaternion, rotation);
    QFETCH(QVector3D, scale);
    QFETCH(QVector3D, offset);
    QFETCH(QVector3D, point);
    QFETCH(QVector3D, expected);

    ScOffsetTransform t;
    t.setPosition(position)->setRotation(rotation)->setScale(scale);
    t.setOffset(offset);
    const QVector3D got = t.modelMatrix().map(point);
    QVERIFY2(fuzzyEqual(got, expected),
             QByteArray("offset transform maps " + text(point) + " to " + text(got) + ", expected "
                        + text(expected) + " within " + QByteArray::number(tolerance))
                 .constData());

    if (offset.isNull()) {
        ScTransform plain;
        plain.setPosition(position)->setRotation(rotation)->setScale(scale);
        const QVector3D p = plain.modelMatrix().map(point);
        QVERIFY2(fuzzyEqual(p, expected),
                 QByteArray("plain transform maps to " + text(p) + ", expected " + text(expected))
                     .constData());
    }
}

void TestScTransform::normalMatrix_data()
{
    QTest::addColumn<QQuaternion>("rotation");
    QTest::addColumn<QVector3D>("scale");
    QTest::addColumn<QVector3D>("normal");
    QTest::addColumn<QVector3D>("expected");

    QTest::newRow("rotation only") << QQuaternion::fromAxisAndAngle(0, 0, 1, 90) << QVector3D(1, 1, 1)
                                   << QVector3D(1, 0, 0) << QVector3D(0, 1, 0);
    // Inverse transpose: a slope stretched along x gets a normal tilted towards x less.
    QTest::newRow("non-uniform scale") << QQuaternion() << QVector3D(2, 1, 1)
                                       << QVector3D(1, 1, 0) << QVector3D(0.5f, 1, 0);
    QTest::newRow("flat scale gives identity") << QQuaternion::fromAxisAndAngle(0, 1, 0, 30)
                                               << QVector3D(1, 1, 0) << QVector3D(0.3f, 0.4f, 0.5f)
                                               << QVector3D(0.3f, 0.4f, 0.5f);
    QTest::newRow("mirror") << QQuaternion() << QVector3D(-1.5f, 1.1f, 2.0f) << QVector3D(1, 1, 1)
                            << QVector3D(-1 / 1.5f, 1 / 1.1f, 0.5f);
}

void TestScTransform::normalMatrix()
{
    QFETCH(QQuaternion, rotation);
    QFETCH(QVector3D, scale);
    QFETCH(QVector3D, normal);
    QFETCH(QVector3D, expected);

    ScOffsetTransform t;
    t.setRotation(rotation)->setScale(scale)->setPosition(QVector3D(7, -3, 2));
    t.setOffset(QVector3D(1, 1, 1));
    const QMatrix3x3 n = t.normalMatrix();
    QVector3D got;
    for (int r = 0; r < 3; ++r)
        got[r] = n(r, 0) * normal.x() + n(r, 1) * normal.y() + n(r, 2) * normal.z();
    QVERIFY2(fuzzyEqual(got, expected),
             QByteArray("normal " + text(normal) + " becomes " + text(got) + ", expected "
                        + text(expected))
                 .constData());
}

void TestScTransform::settersChainOnTheSameObject()
{
    ScOffsetTransform t;
    ScTransform *returned = t.setPosition(QVector3D(1, 2, 3));
    QCOMPARE(returned, static_cast<ScTransform *>(&t));
    returned->setScale(QVector3D(4, 5, 6));
    QCOMPARE(t.position, QVector3D(1, 2, 3));
    QCOMPARE(t.scale, QVector3D(4, 5, 6));
    QCOMPARE(t.setOffset(QVector3D(0, 1, 0)), &t);
    // Values are stored as given, not normalised.
    const QQuaternion unnormalised(2, 0, 0, 0);
    t.setRotation(unnormalised);
    QCOMPARE(t.rotation, unnormalised);
}

void TestScTransform::normalMatrixUsesOverriddenModelMatrix()
{
    const std::unique_ptr<ScTransform> t(new StretchedTransform);
    const QMatrix3x3 n = t->normalMatrix();
    QVERIFY2(std::abs(n(2, 2) - 1.0f / 3.0f) <= tolerance,
             QByteArray("normal matrix z scale " + QByteArray::number(n(2, 2))
                        + ", expected 1/3 from the override")
                 .constData());
    QVERIFY2(std::abs(n(0, 0) - 1.0f) <= tolerance, "normal matrix x scale changed");
}

QTEST_APPLESS_MAIN(TestScTransform)
#include "tst_ScTransform.moc"
