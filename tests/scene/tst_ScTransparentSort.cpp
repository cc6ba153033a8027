#include "scene/ScTransparentMeshRenderer.h"

#include <QtTest>

namespace {

const float tolerance = 1e-5f;

ScVertex vertex(const QVector3D &position, float alpha)
{
    return ScVertex{position, QVector2D(), QVector3D(0, 0, 1), QVector4D(1, 1, 1, alpha)};
}

// A triangle with its three corners at `position`, all of one alpha.
void addPointTriangle(QVector<ScVertex> &vertices, const QVector3D &position, float alpha)
{
    for (int i = 0; i < 3; ++i)
        vertices.append(vertex(position, alpha));
}

} // namespace

Q_DECLARE_METATYPE(ScVertex)

class TestScTransparentSort : public QObject
{
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
};

void TestScTransparentSort::keys_data()
{
    QTest::addColumn<QVector<ScVertex>>("vertices");
    QTest::addColumn<QMatrix4x4>("modelView");
    // Expected order of the first vertices, farthest key first, and the matching keys.
    QTest::addColumn<QVector<int>>("order");
    QTest::addColumn<QVector<float>>("distances");

    {
        QVector<ScVertex> v;
        addPointTriangle(v, QVector3D(0, 0, -4), 0.5f); // key 6
        addPointTriangle(v, QVector3D(0, 0, -3), 1.0f); // key 9: nearer, drawn first
        QTest::newRow("alpha outweighs depth") << v << QMatrix4x4() << QVector<int>{3, 0}
                                               << QVector<float>{9, 6};
    }
    {
        QVector<ScVertex> v;
        addPointTriangle(v, QVector3D(0, 0, -1.0f / 3.0f), 1.0f);
        addPointTriangle(v, QVector3D(0, 0, -2.0f / 3.0f), 1.0f);
        QTest::newRow("keys 1 and 2") << v << QMatrix4x4() << QVector<int>{3, 0}
                                      << QVector<float>{2, 1};
    }
    {
        QVector<ScVertex> v;
        addPointTriangle(v, QVector3D(0, 0, -50), 0.0f);
        addPointTriangle(v, QVector3D(0, 0, -0.01f), 0.1f);
        QTest::newRow("zero alpha sorts last") << v << QMatrix4x4() << QVector<int>{3, 0}
                                               << QVector<float>{0.003f, 0};
    }
    {
        QVector<ScVertex> v;
        addPointTriangle(v, QVector3D(0, 0, -1), 1.0f);
        addPointTriangle(v, QVector3D(0, 0, -2), 1.0f);
        v.append(vertex(QVector3D(0, 0, -100), 1.0f)); // the seventh vertex is no triangle
        QTest::newRow("partial triangle ignored") << v << QMatrix4x4() << QVector<int>{3, 0}
                                                  << QVector<float>{6, 3};
    }
    {
        QVector<ScVertex> v;
        v.append(vertex(QVector3D(1, 0, 0), 1.0f));
        v.append(vertex(QVector3D(0, 1, 0), 0.0f));
        v.append(vertex(QVector3D(0, 0, 0), 0.5f));
        QMatrix4x4 mv;
        mv.translate(0, 0, -10);
        // Σ alpha·p = (1, 0, -10) + 0 + (0, 0, -5), not divided by 3.
        QTest::newRow("alpha-weighted sum in eye space")
            << v << mv << QVector<int>{0} << QVector<float>{std::sqrt(1.0f + 225.0f)};
    }
    QTest::newRow("no CPU copy") << QVector<ScVertex>() << QMatrix4x4() << QVector<int>()
                                 << QVector<float>();
}

void TestScTransparentSort::keys()
{
    QFETCH(QVector<ScVertex>, vertices);
    QFETCH(QMatrix4x4, modelView);
    QFETCH(QVector<int>, order);
    QFETCH(QVector<float>, distances);

    const QVector<TransparentTriangleKey> keys =
        ScTransparentMeshRenderer::sortedTriangleKeys(vertices, modelView);
    QCOMPARE(keys.size(), order.size());
    for (int i = 0; i < keys.size(); ++i) {
        QVERIFY2(keys[i].firstVertex == order[i],
                 QByteArray("key " + QByteArray::number(i) + " starts at vertex "
                            + QByteArray::number(keys[i].firstVertex) + ", expected "
                            + QByteArray::number(order[i]))
                     .constData());
        QVERIFY2(std::abs(keys[i].distance - distances[i]) <= tolerance * std::max(1.0f, distances[i]),
                 QByteArray("key " + QByteArray::number(i) + " distance "
                            + QByteArray::number(keys[i].distance, 'g', 9) + ", expected "
                            + QByteArray::number(distances[i], 'g', 9))
                     .constData());
    }
}

QTEST_APPLESS_MAIN(TestScTransparentSort)
#include "tst_ScTransparentSort.moc"
