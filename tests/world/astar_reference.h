// An independent path search to compare ours with: Boost Graph Library's
// astar_search on the same grid (a compressed sparse row graph built from the
// walkability of one layer), with the same corner rule and 10/14 step costs.
#pragma once

#include <algorithm>
#include <boost/graph/astar_search.hpp>
#include <boost/graph/compressed_sparse_row_graph.hpp>
#include <cstdlib>
#include <utility>
#include <vector>

#include "world/world.h"

namespace astref {

struct Edge {
  int w;
};
using Graph = boost::compressed_sparse_row_graph<boost::directedS, boost::no_property, Edge>;
using Vertex = boost::graph_traits<Graph>::vertex_descriptor;

constexpr int kN = gMapW * gMapH;
inline int Id(int x, int z) { return x * gMapH + z; }

struct Result {
  bool found = false;
  int cost = 0;
  std::vector<std::pair<int, int>> cells;  // after the start, target last
  int expansions = 0;
};

struct FoundGoal {};

class Visitor : public boost::default_astar_visitor {
 public:
  Visitor(Vertex goal, int* expansions) : goal_(goal), expansions_(expansions) {}
  void examine_vertex(Vertex u, const Graph&) {
    ++*expansions_;
    if (u == goal_) throw FoundGoal{};
  }

 private:
  Vertex goal_;
  int* expansions_;
};

// 10 x Manhattan (as ours, not admissible) or the octile distance (admissible:
// the reference then finds optimal paths).
class Heuristic : public boost::astar_heuristic<Graph, int> {
 public:
  Heuristic(int tx, int tz, bool octile) : tx_(tx), tz_(tz), octile_(octile) {}
  int operator()(Vertex v) const {
    int dx = std::abs(static_cast<int>(v) / gMapH - tx_);
    int dz = std::abs(static_cast<int>(v) % gMapH - tz_);
    if (!octile_) return 10 * (dx + dz);
    int lo = dx < dz ? dx : dz, hi = dx < dz ? dz : dx;
    return 14 * lo + 10 * (hi - lo);
  }

 private:
  int tx_, tz_;
  bool octile_;
};

class Reference {
 public:
  // Edges into every cell open to the layer from each of its eight
  // neighbours, diagonals only where both orthogonal cells are open.
  void Build(int layer) {
    std::vector<std::pair<int, int>> edges;
    std::vector<Edge> props;
    edges.reserve(8 * kN);
    props.reserve(8 * kN);
    for (int x = 0; x < gMapW; ++x) {
      for (int z = 0; z < gMapH; ++z) {
        for (int dz = -1; dz <= 1; ++dz) {
          for (int dx = -1; dx <= 1; ++dx) {
            if (!dx && !dz) continue;
            int nx = x + dx, nz = z + dz;
            if (AStUnWalkable(layer, nx, nz)) continue;
            if (dx && dz && (AStUnWalkable(layer, x + dx, z) || AStUnWalkable(layer, x, z + dz)))
              continue;
            edges.push_back({Id(x, z), Id(nx, nz)});
            props.push_back({dx && dz ? 14 : 10});
          }
        }
      }
    }
    graph_ = Graph(boost::edges_are_sorted, edges.begin(), edges.end(), props.begin(), kN);
    dist_.assign(kN, 0);
    rank_.assign(kN, 0);
    pred_.assign(kN, 0);
    color_.assign(kN, boost::white_color);
  }

  Result Search(int sx, int sz, int tx, int tz, bool octile) {
    Result r;
    const Vertex s = Id(sx, sz), t = Id(tx, tz);
    if (s == t) {
      r.found = true;
      return r;
    }
    try {
      boost::astar_search(
          graph_, s, Heuristic(tx, tz, octile),
          boost::visitor(Visitor(t, &r.expansions))
              .predecessor_map(boost::make_iterator_property_map(pred_.begin(), get(boost::vertex_index, graph_)))
              .distance_map(boost::make_iterator_property_map(dist_.begin(), get(boost::vertex_index, graph_)))
              .rank_map(boost::make_iterator_property_map(rank_.begin(), get(boost::vertex_index, graph_)))
              .color_map(boost::make_iterator_property_map(color_.begin(), get(boost::vertex_index, graph_)))
              .weight_map(get(&Edge::w, graph_)));
    } catch (const FoundGoal&) {
      r.found = true;
      r.cost = dist_[t];
      for (Vertex v = t; v != s; v = pred_[v])
        r.cells.push_back({static_cast<int>(v) / gMapH, static_cast<int>(v) % gMapH});
      std::reverse(r.cells.begin(), r.cells.end());
    }
    return r;
  }

 private:
  Graph graph_;
  std::vector<int> dist_, rank_;
  std::vector<Vertex> pred_;
  std::vector<boost::default_color_type> color_;
};

}  // namespace astref
