#include "trace/MirrorPose.h"

namespace spekulor::trace {

Vec3 ToMirrorDirection(const MirrorPose& pose, const Vec3& direction) {
  // R^T v
  return {direction.x, pose.cosTurn * direction.y + pose.sinTurn * direction.z,
          -pose.sinTurn * direction.y + pose.cosTurn * direction.z};
}

Vec3 FromMirrorDirection(const MirrorPose& pose, const Vec3& direction) {
  // R v
  return {direction.x, pose.cosTurn * direction.y - pose.sinTurn * direction.z,
          pose.sinTurn * direction.y + pose.cosTurn * direction.z};
}

Vec3 ToMirrorFrame(const MirrorPose& pose, const Vec3& point) {
  const Vec3 fromPivot{point.x, point.y - pose.shiftY, point.z - pose.shiftZ - pose.pivotZ};
  const Vec3 turned = ToMirrorDirection(pose, fromPivot);
  return {turned.x, turned.y, turned.z + pose.pivotZ};
}

Vec3 FromMirrorFrame(const MirrorPose& pose, const Vec3& point) {
  const Vec3 turned = FromMirrorDirection(pose, {point.x, point.y, point.z - pose.pivotZ});
  return {turned.x, turned.y + pose.shiftY, turned.z + pose.pivotZ + pose.shiftZ};
}

}  // namespace spekulor::trace
