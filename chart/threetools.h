#ifndef THREETOOLS_H
#define THREETOOLS_H

#include <QObject>
#include <QVariantList>
#include <QVector3D>
#include <QVector4D>

// Geometry helpers for the 3D model view. Quaternions are QVector4D as
// (x, y, z, w) with w the scalar part.
class ThreeTools : public QObject
{
    Q_OBJECT
public:
    explicit ThreeTools(QObject *parent = nullptr) : QObject(parent) {}

    // For a loaded Qt3DRender::QMesh: its centre (3 values), its size (3)
    // and the room it needs per axis (3) once rotated by `quaternion`,
    // scaled and moved by `position_offset`; empty while the mesh has no
    // readable positions.
    Q_INVOKABLE QVariantList bounding_positioin(QObject *mesh, const QVector4D &quaternion,
                                                const QVector3D &position_offset, double scale = 1.0) const;
    // The Hamilton product a ⊗ b.
    Q_INVOKABLE QVector4D CrossProduct(const QVector4D &a, const QVector4D &b) const;
    // q ⊗ t, where t mixes the components of a and q in their stored order
    // the way the model view's attitude data expects.
    Q_INVOKABLE QVector4D ApplyQuaternion(const QVector4D &a, const QVector4D &q) const;
};

#endif
