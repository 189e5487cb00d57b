#include <QtTest>

#include <QTemporaryDir>
#include <Qt3DCore/QEntity>
#include <Qt3DExtras/QForwardRenderer>
#include <Qt3DExtras/Qt3DWindow>
#include <Qt3DRender/QAttribute>
#include <Qt3DRender/QCamera>
#include <Qt3DRender/QGeometry>
#include <Qt3DRender/QMesh>

#include "threetools.h"

// The model view's geometry helpers on meshes that Qt 3D loads itself from
// .obj files: a render aspect in a real window drives the loading, and the
// meshes are read back from their frontend geometry.
class Tst_ThreeTools : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    Qt3DExtras::Qt3DWindow *window_ = nullptr;
    Qt3DCore::QEntity *root_ = nullptr;
    ThreeTools tools_;

    // An axis-aligned box as an .obj: 8 corners, 12 triangles.
    static QByteArray box_obj(const QVector3D &centre, const QVector3D &size)
    {
        QByteArray obj = "# box\n";
        for (int i = 0; i < 8; ++i) {
            const QVector3D corner(i & 1 ? 0.5f : -0.5f, i & 2 ? 0.5f : -0.5f, i & 4 ? 0.5f : -0.5f);
            const QVector3D p = centre + corner * size;
            obj += "v " + QByteArray::number(p.x()) + " " + QByteArray::number(p.y()) + " "
                   + QByteArray::number(p.z()) + "\n";
        }
        obj += "f 1 3 4\nf 1 4 2\nf 5 6 8\nf 5 8 7\nf 1 2 6\nf 1 6 5\n"
               "f 3 7 8\nf 3 8 4\nf 1 5 7\nf 1 7 3\nf 2 4 8\nf 2 8 6\n";
        return obj;
    }
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir_.path() + "/" + name;
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return QString();
        return path;
    }
    // A mesh in the scene (so that the render aspect loads it), on its own entity.
    Qt3DRender::QMesh *add_mesh(const QString &path)
    {
        auto *entity = new Qt3DCore::QEntity(root_);
        auto *mesh = new Qt3DRender::QMesh(entity);
        if (!path.isEmpty())
            mesh->setSource(QUrl::fromLocalFile(path));
        entity->addComponent(mesh);
        return mesh;
    }
    // Waits until the mesh has loaded, positions included, or failed.
    static bool settled(Qt3DRender::QMesh *mesh)
    {
        return QTest::qWaitFor(
            [mesh]() {
                return mesh->status() == Qt3DRender::QMesh::Error
                       || (mesh->status() == Qt3DRender::QMesh::Ready && mesh->geometry()
                           && !mesh->geometry()->attributes().isEmpty());
            },
            20000);
    }
    Qt3DRender::QMesh *loaded_box(const QString &name, const QVector3D &centre, const QVector3D &size)
    {
        Qt3DRender::QMesh *mesh = add_mesh(write(name, box_obj(centre, size)));
        if (!settled(mesh) || mesh->status() != Qt3DRender::QMesh::Ready)
            return nullptr;
        return mesh;
    }
    static QList<double> numbers(const QVariantList &list)
    {
        QList<double> out;
        for (const QVariant &v : list)
            out << v.toDouble();
        return out;
    }
    static bool near(const QList<double> &got, const QList<double> &want)
    {
        if (got.size() != want.size())
            return false;
        for (int i = 0; i < got.size(); ++i)
            if (std::abs(got[i] - want[i]) > 1e-5)
                return false;
        return true;
    }
    static QByteArray text(const QList<double> &list)
    {
        QStringList parts;
        for (double v : list)
            parts << QString::number(v);
        return parts.join(", ").toUtf8();
    }
    static const QVector4D identity;

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        window_ = new Qt3DExtras::Qt3DWindow();
        root_ = new Qt3DCore::QEntity();
        window_->camera()->setPosition(QVector3D(0, 0, 10));
        window_->camera()->setViewCenter(QVector3D(0, 0, 0));
        window_->setRootEntity(root_);
        window_->resize(160, 120);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }
    void cleanupTestCase() { delete window_; }

    void the_product_is_hamiltons()
    {
        const QVector4D i(1, 0, 0, 0), j(0, 1, 0, 0), k(0, 0, 1, 0);
        QCOMPARE(tools_.CrossProduct(i, j), k);
        QCOMPARE(tools_.CrossProduct(j, i), -k);
        QCOMPARE(tools_.CrossProduct(j, k), i);
        QCOMPARE(tools_.CrossProduct(i, i), QVector4D(0, 0, 0, -1));
        // (4 + i + 2j + 3k)(8 + 5i + 6j + 7k) and the other way round.
        const QVector4D a(1, 2, 3, 4), b(5, 6, 7, 8);
        QCOMPARE(tools_.CrossProduct(a, b), QVector4D(24, 48, 48, -6));
        QCOMPARE(tools_.CrossProduct(b, a), QVector4D(32, 32, 56, -6));
        QCOMPARE(tools_.CrossProduct(identity, a), a);
        QCOMPARE(tools_.CrossProduct(a, identity), a);
    }

    void apply_quaternion_mixes_then_multiplies()
    {
        // With the identity, only the mix: t = (a3, a2, -a1, -a0).
        QCOMPARE(tools_.ApplyQuaternion(QVector4D(1, 2, 3, 4), identity), QVector4D(4, 3, -2, -1));
        // q = (1, 2, 3, 4), a = (1, 0, 0, 0): t = (3, -2, 1, -4), q ⊗ t.
        QCOMPARE(tools_.ApplyQuaternion(QVector4D(1, 0, 0, 0), QVector4D(1, 2, 3, 4)),
                 QVector4D(16, -8, -16, -18));
        QCOMPARE(tools_.ApplyQuaternion(QVector4D(0, 0, 0, 0), QVector4D(1, 2, 3, 4)), QVector4D(0, 0, 0, 0));
    }

    void a_unit_cube_gives_its_centre_size_and_room()
    {
        Qt3DRender::QMesh *cube = loaded_box("cube.obj", QVector3D(1, 2, 3), QVector3D(1, 1, 1));
        QVERIFY(cube);
        const QList<double> plain = numbers(tools_.bounding_positioin(cube, identity, QVector3D()));
        QVERIFY2(near(plain, {1, 2, 3, 1, 1, 1, 1, 1, 1}), text(plain));
        const QList<double> doubled = numbers(tools_.bounding_positioin(cube, identity, QVector3D(), 2.0));
        QVERIFY2(near(doubled, {1, 2, 3, 1, 1, 1, 2, 2, 2}), text(doubled));
        const QList<double> moved = numbers(tools_.bounding_positioin(cube, identity, QVector3D(1, 0, 0)));
        QVERIFY2(near(moved, {1, 2, 3, 1, 1, 1, 3, 1, 1}), text(moved));
        // An offset counts by its size, whichever way it points.
        const QList<double> back = numbers(tools_.bounding_positioin(cube, identity, QVector3D(0, -0.5, 0)));
        QVERIFY2(near(back, {1, 2, 3, 1, 1, 1, 1, 2, 1}), text(back));
    }

    void a_quarter_turn_about_z_swaps_the_extents()
    {
        Qt3DRender::QMesh *box = loaded_box("box.obj", QVector3D(0, 0, 0), QVector3D(2, 1, 0.5));
        QVERIFY(box);
        const float h = float(std::sqrt(0.5));
        const QVector4D turn(0, 0, h, h);
        const QList<double> still = numbers(tools_.bounding_positioin(box, identity, QVector3D()));
        QVERIFY2(near(still, {0, 0, 0, 2, 1, 0.5, 2, 1, 0.5}), text(still));
        const QList<double> turned = numbers(tools_.bounding_positioin(box, turn, QVector3D()));
        QVERIFY2(near(turned, {0, 0, 0, 2, 1, 0.5, 1, 2, 0.5}), text(turned));
        // The offset turns with it: x becomes y.
        const QList<double> moved = numbers(tools_.bounding_positioin(box, turn, QVector3D(1, 0, 0)));
        QVERIFY2(near(moved, {0, 0, 0, 2, 1, 0.5, 1, 4, 0.5}), text(moved));
    }

    void meshes_without_positions_give_nothing()
    {
        QVERIFY(tools_.bounding_positioin(nullptr, identity, QVector3D()).isEmpty());
        QObject not_a_mesh;
        QVERIFY(tools_.bounding_positioin(&not_a_mesh, identity, QVector3D()).isEmpty());
        // No source yet.
        Qt3DRender::QMesh *empty = add_mesh(QString());
        QCOMPARE(empty->status(), Qt3DRender::QMesh::None);
        QVERIFY(tools_.bounding_positioin(empty, identity, QVector3D()).isEmpty());
        // Asked before the loading is done.
        Qt3DRender::QMesh *early = add_mesh(write("early.obj", box_obj(QVector3D(), QVector3D(1, 1, 1))));
        QVERIFY(early->geometry() == nullptr);
        QVERIFY(tools_.bounding_positioin(early, identity, QVector3D()).isEmpty());
        QVERIFY(settled(early));
        QCOMPARE(early->status(), Qt3DRender::QMesh::Ready);
        QCOMPARE(tools_.bounding_positioin(early, identity, QVector3D()).size(), 9);
        // Files that are not models load as empty geometry; a file that
        // does not exist fails.
        for (const auto &bad : {std::make_pair("empty.obj", QByteArray()),
                                std::make_pair("noface.obj", QByteArray("v 1 2 3\nv 4 5 6\n")),
                                std::make_pair("binary.obj", QByteArray("\x00\xff\x10\x80", 4).repeated(50))}) {
            Qt3DRender::QMesh *mesh = add_mesh(write(bad.first, bad.second));
            QVERIFY(settled(mesh));
            QVERIFY(tools_.bounding_positioin(mesh, identity, QVector3D()).isEmpty());
        }
        Qt3DRender::QMesh *missing = add_mesh(dir_.path() + "/missing.obj");
        QVERIFY(settled(missing));
        QCOMPARE(missing->status(), Qt3DRender::QMesh::Error);
        QVERIFY(tools_.bounding_positioin(missing, identity, QVector3D()).isEmpty());
    }

    void a_buffer_shorter_than_its_attribute_is_read_only_as_far_as_it_goes()
    {
        Qt3DRender::QMesh *box = loaded_box("short.obj", QVector3D(0, 0, 0), QVector3D(4, 2, 1));
        QVERIFY(box);
        const QVariantList before = tools_.bounding_positioin(box, identity, QVector3D());
        QCOMPARE(before.size(), 9);
        // Out of the scene first, so that nothing draws the bent attribute.
        auto *entity = qobject_cast<Qt3DCore::QEntity *>(box->parent());
        entity->removeComponent(box);
        box->setParent(root_);
        delete entity;
        Qt3DRender::QAttribute *position = nullptr;
        for (Qt3DRender::QAttribute *a : box->geometry()->attributes())
            if (a->name() == Qt3DRender::QAttribute::defaultPositionAttributeName())
                position = a;
        QVERIFY(position);
        position->setCount(position->count() + 1000);
        QCOMPARE(tools_.bounding_positioin(box, identity, QVector3D()), before);
        // A stride past the end leaves only the first position: no size.
        position->setByteStride(1u << 30);
        const QList<double> one = numbers(tools_.bounding_positioin(box, identity, QVector3D()));
        QCOMPARE(one.size(), 9);
        QVERIFY2(near(one.mid(3), {0, 0, 0, 0, 0, 0}), text(one));
        // Without positions at all.
        position->setName("elsewhere");
        QVERIFY(tools_.bounding_positioin(box, identity, QVector3D()).isEmpty());
    }
};

const QVector4D Tst_ThreeTools::identity(0, 0, 0, 1);

QTEST_MAIN(Tst_ThreeTools)
#include "tst_threetools.moc"
