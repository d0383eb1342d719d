"""Grids the bundled map's depth points with its faults, plots the grid when
matplotlib is there, and saves a pick along the row of the highest node
into a copy of the map. Run from the source root with the module on PYTHONPATH:
    PYTHONPATH=build/python /usr/bin/python3 examples/python/grid_map.py"""
import numpy as np
import quarvel

d = quarvel.Drawing("examples/map.qvd")
g = quarvel.grid_drawing(d, faults="faults", box=(0, 0, 10000, 8000), num_x=27, times=3)
try:
    import matplotlib.pyplot as plt
    plt.pcolormesh(g.x, g.y, g.values, shading="nearest"); plt.colorbar(); plt.savefig("/tmp/depth.png")
except ImportError:
    print("no matplotlib: grid", g.values.shape, "from", g.values.min(), "to", g.values.max())
row = np.argmax(g.values.max(axis=1))
d.add_polyline(np.column_stack([g.x, np.full(g.nx, g.y[row])]), layer="picks", name="highest", z=g.values.max())
d.save("/tmp/map_with_picks.qvd")
