#include "threetools.h"

#include <Qt3DRender/QAttribute>
#include <Qt3DRender/QBuffer>
#include <Qt3DRender/QGeometry>
#include <Qt3DRender/QMesh>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace {

QVector4D conjugate(const QVector4D &q)
{
    return QVector4D(-q.x(), -q.y(), -q.z(), q.w());
}

// The positions of the mesh's "vertexPosition" attribute, as far as its
// buffer holds them. Qt 3D's loaders put the position first in each vertex
// record, so records are read from the start of the buffer.
std::vector<QVector3D> positions_of(Qt3DRender::QGeometry *geometry)
{
    std::vector<QVector3D> out;
    const auto attributes = geometry->attributes();
    const auto found = std::find_if(attributes.begin(), attributes.end(), [](Qt3DRender::QAttribute *a) {
        return a->name() == Qt3DRender::QAttribute::defaultPositionAttributeName();
    });
    if (found == attributes.end() || !(*found)->buffer())
        return out;
    const Qt3DRender::QAttribute *attribute = *found;
    const QByteArray data = attribute->buffer()->data();
    const qsizetype stride = attribute->byteStride() ? attribute->byteStride() : 3 * qsizetype(sizeof(float));
    const qsizetype record = 3 * qsizetype(sizeof(float));
    out.reserve(attribute->count());
    for (qsizetype i = 0; i < qsizetype(attribute->count()); ++i) {
        const qsizetype at = i * stride;
        if (at + record > data.size())
            break;
        float xyz[3];
        std::memcpy(xyz, data.constData() + at, sizeof(xyz));
        out.emplace_back(xyz[0], xyz[1], xyz[2]);
    }
    return out;
}

}

QVector4D ThreeTools::CrossProduct(const QVector4D &a, const QVector4D &b) const
{
    return QVector4D(a.w() * b.x() + a.x() * b.w() + a.y() * b.z() - a.z() * b.y(),
                     a.w() * b.y() + a.y() * b.w() + a.z() * b.x() - a.x() * b.z(),
                     a.w() * b.z() + a.z() * b.w() + a.x() * b.y() - a.y() * b.x(),
                     a.w() * b.w() - a.x() * b.x() - a.y() * b.y() - a.z() * b.z());
}

QVector4D ThreeTools::ApplyQuaternion(const QVector4D &a, const QVector4D &q) const
{
    const QVector4D t(q[2] * a[0] + q[3] * a[3] + q[1] * a[1] - q[0] * a[2],
                      q[2] * a[1] + q[0] * a[3] + q[3] * a[2] - q[1] * a[0],
                      q[2] * a[2] + q[1] * a[3] + q[0] * a[0] - q[3] * a[1],
                      q[2] * a[3] - q[3] * a[0] - q[0] * a[1] - q[1] * a[2]);
    return CrossProduct(q, t);
}

QVariantList ThreeTools::bounding_positioin(QObject *mesh, const QVector4D &quaternion,
                                            const QVector3D &position_offset, double scale) const
{
    auto *m = qobject_cast<Qt3DRender::QMesh *>(mesh);
    if (!m || m->status() == Qt3DRender::QMesh::None || !m->geometry())
        return {};
    const std::vector<QVector3D> points = positions_of(m->geometry());
    if (points.empty())
        return {};

    QVector3D lo(std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                 std::numeric_limits<float>::max());
    QVector3D hi = -lo;
    for (const QVector3D &p : points)
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], p[k]);
            hi[k] = std::max(hi[k], p[k]);
        }
    const QVector3D centre = (lo + hi) / 2;
    const QVector3D size = hi - lo;

    const QVector4D q = quaternion;
    const QVector4D qc = conjugate(q);
    const QVector4D o = CrossProduct(CrossProduct(q, QVector4D(position_offset, 0)), qc);

    QVector3D rlo(std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                  std::numeric_limits<float>::max());
    QVector3D rhi = -rlo;
    for (const QVector3D &p : points) {
        const QVector3D r = CrossProduct(CrossProduct(q, QVector4D(p - centre, 0)), qc).toVector3D() * float(scale);
        for (int k = 0; k < 3; ++k) {
            rlo[k] = std::min(rlo[k], r[k]);
            rhi[k] = std::max(rhi[k], r[k]);
        }
    }

    QVariantList out;
    for (int k = 0; k < 3; ++k)
        out << double(centre[k]);
    for (int k = 0; k < 3; ++k)
        out << double(size[k]);
    for (int k = 0; k < 3; ++k)
        out << 2.0 * std::abs(double(o[k])) + double(rhi[k] - rlo[k]);
    return out;
}
