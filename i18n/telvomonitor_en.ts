<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AttitudePage</name>
    <message>
        <source>姿态仪表</source>
        <translation>Attitude indicator</translation>
    </message>
    <message>
        <source>电子罗盘航向</source>
        <translation>Compass heading</translation>
    </message>
    <message>
        <source>姿态角</source>
        <translation>Attitude</translation>
    </message>
    <message>
        <source>横滚 Roll</source>
        <translation>Roll</translation>
    </message>
    <message>
        <source>俯仰 Pitch</source>
        <translation>Pitch</translation>
    </message>
    <message>
        <source>航向 Yaw</source>
        <translation>Heading</translation>
    </message>
    <message>
        <source>IMU 传感器</source>
        <translation>IMU sensors</translation>
    </message>
    <message>
        <source>陀螺 X</source>
        <translation>Gyro X</translation>
    </message>
    <message>
        <source>陀螺 Y</source>
        <translation>Gyro Y</translation>
    </message>
    <message>
        <source>陀螺 Z</source>
        <translation>Gyro Z</translation>
    </message>
    <message>
        <source>加计 X</source>
        <translation>Accel X</translation>
    </message>
    <message>
        <source>加计 Y</source>
        <translation>Accel Y</translation>
    </message>
    <message>
        <source>加计 Z</source>
        <translation>Accel Z</translation>
    </message>
    <message>
        <source>温度 Temp</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>GNSS 定位与状态</source>
        <translation>GNSS fix and status</translation>
    </message>
    <message>
        <source>GNSS 纬度</source>
        <translation>GNSS latitude</translation>
    </message>
    <message>
        <source>GNSS 经度</source>
        <translation>GNSS longitude</translation>
    </message>
    <message>
        <source>GNSS 高度</source>
        <translation>GNSS altitude</translation>
    </message>
    <message>
        <source>东向 Ve</source>
        <translation>East velocity</translation>
    </message>
    <message>
        <source>北向 Vn</source>
        <translation>North velocity</translation>
    </message>
    <message>
        <source>天向 Vu</source>
        <translation>Up velocity</translation>
    </message>
    <message>
        <source>GNSS 航向</source>
        <translation>GNSS heading</translation>
    </message>
    <message>
        <source>GNSS 状态</source>
        <translation>GNSS status</translation>
    </message>
    <message>
        <source>导航状态</source>
        <translation>Navigation state</translation>
    </message>
</context>
<context>
    <name>CalibPage</name>
    <message>
        <source>通信与轴向</source>
        <translation>Comms &amp; axes</translation>
    </message>
    <message>
        <source>现场维护</source>
        <translation>Field maintenance</translation>
    </message>
    <message>
        <source>出厂陀螺</source>
        <translation>Factory gyro</translation>
    </message>
    <message>
        <source>补偿文件</source>
        <translation>Compensation file</translation>
    </message>
    <message>
        <source>安装误差</source>
        <translation>Mounting error</translation>
    </message>
    <message>
        <source>厂家维护</source>
        <translation>Factory maintenance</translation>
    </message>
    <message>
        <source>厂家标定与维护专用，误操作可能影响设备精度。请在当前 Tab 完成读/设后，点击本 Tab 的「保存出厂」写入设备。</source>
        <translation>For factory calibration and maintenance only; a wrong step can spoil the unit&apos;s accuracy. Read or set on the current tab, then click its &quot;Save factory&quot; to write to the unit.</translation>
    </message>
    <message>
        <source>进入本页将自动关闭导航输出并读固件版本；串口1 在下方卡片读/设。任意 Tab 改参后，仅在页底「读回与保存」保存一次。</source>
        <translation>Opening this page turns off the navigation output and reads the firmware version; serial port 1 is read and set in the card below. After changing settings on any tab, save once under &quot;Read back and save&quot; at the bottom.</translation>
    </message>
</context>
<context>
    <name>CaptionButton</name>
    <message>
        <source>最小化</source>
        <translation>Minimise</translation>
    </message>
    <message>
        <source>最大化</source>
        <translation>Maximise</translation>
    </message>
    <message>
        <source>还原</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>ChartCard</name>
    <message>
        <source>实时曲线</source>
        <translation>Live chart</translation>
    </message>
</context>
<context>
    <name>ChartsPage</name>
    <message>
        <source>滚动窗口</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>采样频率</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>横滚 Roll</source>
        <translation>Roll</translation>
    </message>
    <message>
        <source>需 ahrs / sins 姿态字段</source>
        <translation>Needs the ahrs / sins attitude fields</translation>
    </message>
    <message>
        <source>俯仰 Pitch</source>
        <translation>Pitch</translation>
    </message>
    <message>
        <source>航向 Yaw</source>
        <translation>Heading</translation>
    </message>
    <message>
        <source>温度 Temp</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>需 imu 层温度字段</source>
        <translation>Needs the imu layer&apos;s temperature field</translation>
    </message>
</context>
<context>
    <name>ConfirmDialog</name>
    <message>
        <source>确认</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ConnectionDialog</name>
    <message>
        <source>「%1」正在连接中。
保存将中断当前连接过程，并应用新的连接信息。</source>
        <translation>&quot;%1&quot; is connecting.
Saving stops the connection attempt and applies the new link settings.</translation>
    </message>
    <message>
        <source>「%1」当前已联机。
保存将先断开连接，再应用新的连接信息。</source>
        <translation>&quot;%1&quot; is online.
Saving disconnects it first, then applies the new link settings.</translation>
    </message>
    <message>
        <source>编辑设备连接</source>
        <translation>Edit device link</translation>
    </message>
    <message>
        <source>手动添加设备</source>
        <translation>Add device manually</translation>
    </message>
    <message>
        <source>修改链路参数；保存后若该设备已联机将先断开，请在总览或工作区重新连接。</source>
        <translation>Change the link settings. An online device is disconnected on saving; connect it again from the overview or its workspace.</translation>
    </message>
    <message>
        <source>选择产品类型与设备型号并配置串口；添加后在「设备总览」查看与管理纳管列表。</source>
        <translation>Choose the product type and device model and set up the serial port; once added, the device appears under &quot;Device overview&quot; with the other managed devices.</translation>
    </message>
    <message>
        <source>连接方式：串口（RS232/422）</source>
        <translation>Link: serial port (RS232/422)</translation>
    </message>
    <message>
        <source>产品类型</source>
        <translation>Product</translation>
    </message>
    <message>
        <source>编辑模式下不可更改产品类型</source>
        <translation>The product type cannot be changed while editing</translation>
    </message>
    <message>
        <source>设备型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>编辑模式下不可更改设备型号</source>
        <translation>The device model cannot be changed while editing</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>COM3 或 /dev/ttyUSB0</source>
        <translation>COM3 or /dev/ttyUSB0</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>重新扫描本机 COM 口列表</source>
        <translation>Scan this computer&apos;s serial ports again</translation>
    </message>
    <message>
        <source>原串口 %1 当前不在列表中，请重新选择或手动输入</source>
        <translation>The earlier port %1 is not in the list; choose another or type it in</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>%1（自定义）</source>
        <translation>%1 (custom)</translation>
    </message>
    <message>
        <source>自定义波特率，如 57600</source>
        <translation>Custom baud rate, e.g. 57600</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>加入下拉列表并参与自动检测（300～3000000，不可与预设重复）</source>
        <translation>Add it to the list and to auto-detect (300–3000000, not one of the presets)</translation>
    </message>
    <message>
        <source>检测中…</source>
        <translation>Detecting…</translation>
    </message>
    <message>
        <source>自动检测</source>
        <translation>Auto-detect</translation>
    </message>
    <message>
        <source>匹配 COM 口与波特率（优先当前所选口）</source>
        <translation>Find the port and baud rate (the chosen port first)</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ContextBar</name>
    <message>
        <source>回放中</source>
        <translation>Playing</translation>
    </message>
    <message>
        <source>已暂停</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>结束回放</source>
        <translation>End replay</translation>
    </message>
    <message>
        <source>数据转发 · %1</source>
        <translation>Data forwarding · %1</translation>
    </message>
    <message>
        <source>数据转发</source>
        <translation>Data forwarding</translation>
    </message>
    <message>
        <source>把数据转发给其他程序（UDP JSON、NMEA 0183）</source>
        <translation>Forward the data to other programs (UDP JSON, NMEA 0183)</translation>
    </message>
</context>
<context>
    <name>DeviceCard</name>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>进入并连接</source>
        <translation>Enter and connect</translation>
    </message>
    <message>
        <source>空格选中，回车进入并连接</source>
        <translation>Space selects, Return enters and connects</translation>
    </message>
</context>
<context>
    <name>DeviceConnectBar</name>
    <message>
        <source>等待协议</source>
        <translation>waiting for protocol</translation>
    </message>
    <message>
        <source>监控中</source>
        <translation>Monitoring</translation>
    </message>
    <message>
        <source>连接中</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>等待重连</source>
        <translation>Awaiting reconnect</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>断开</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>编辑当前设备连接信息</source>
        <translation>Edit the current device&apos;s link</translation>
    </message>
</context>
<context>
    <name>DeviceHub</name>
    <message>
        <source>纳管设备</source>
        <translation>Managed devices</translation>
    </message>
    <message numerus="yes">
        <source>共 %n 台 · 选择设备进入对应产品工作区</source>
        <translation>
            <numerusform>%n device · choose one to open its workspace</numerusform>
            <numerusform>%n devices · choose one to open its workspace</numerusform>
        </translation>
    </message>
    <message>
        <source>断线自动重连</source>
        <translation>Reconnect automatically</translation>
    </message>
    <message>
        <source>设备意外断开（拔出 USB、断电）后，串口恢复时自动重新连接；对所有设备生效</source>
        <translation>When a device drops out unexpectedly (USB pulled, power lost), connect again once its serial port is back; applies to all devices</translation>
    </message>
    <message>
        <source>自动搜索</source>
        <translation>Auto-search</translation>
    </message>
    <message>
        <source>打开记录</source>
        <translation>Open recording</translation>
    </message>
    <message>
        <source>回放已保存的记录文件（.txt / .bin）；当前设备的连接将断开</source>
        <translation>Replay a saved recording (.txt / .bin); the current device is disconnected</translation>
    </message>
    <message>
        <source>添加设备</source>
        <translation>Add device</translation>
    </message>
    <message>
        <source>自动搜索功能开发中，请使用「添加设备」手动纳管</source>
        <translation>Auto-search is not available yet; use &quot;Add device&quot; to manage a device</translation>
    </message>
    <message>
        <source>联机设备</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
</context>
<context>
    <name>DeviceSection</name>
    <message numerus="yes">
        <source>%n 台</source>
        <translation>
            <numerusform>%n device</numerusform>
            <numerusform>%n devices</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FactoryCompTab</name>
    <message>
        <source>补偿文件</source>
        <translation>Compensation file</translation>
    </message>
    <message>
        <source>保存设备读回</source>
        <translation>Save unit read-back</translation>
    </message>
    <message>
        <source>文本 (*.txt);;All (*.*)</source>
        <translation>Text (*.txt);;All (*.*)</translation>
    </message>
    <message>
        <source>读回中…</source>
        <translation>Reading back…</translation>
    </message>
    <message>
        <source>IMU 编号</source>
        <translation>IMU ID</translation>
    </message>
    <message>
        <source>IMU 序列号</source>
        <translation>IMU serial number</translation>
    </message>
    <message>
        <source>打开补偿文件，或读出厂到文本</source>
        <translation>Open a compensation file, or read the factory record into text</translation>
    </message>
    <message>
        <source>打开补偿文件</source>
        <translation>Open compensation file</translation>
    </message>
    <message>
        <source>下发文件行</source>
        <translation>Send file lines</translation>
    </message>
    <message>
        <source>读出厂到文本</source>
        <translation>Read factory to text</translation>
    </message>
    <message>
        <source>保存读回文本</source>
        <translation>Save read-back text</translation>
    </message>
    <message>
        <source>保存出厂</source>
        <translation>Save factory</translation>
    </message>
    <message>
        <source>补偿文件内容</source>
        <translation>Compensation file content</translation>
    </message>
</context>
<context>
    <name>FactoryGyroTab</name>
    <message>
        <source>X 轴</source>
        <translation>X axis</translation>
    </message>
    <message>
        <source>Y 轴</source>
        <translation>Y axis</translation>
    </message>
    <message>
        <source>Z 轴</source>
        <translation>Z axis</translation>
    </message>
    <message>
        <source>设备编号</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>X 轴二阶温标</source>
        <translation>X 2nd-order temp. term</translation>
    </message>
    <message>
        <source>X 轴一阶温标</source>
        <translation>X 1st-order temp. term</translation>
    </message>
    <message>
        <source>X 轴刻度系数</source>
        <translation>X scale factor</translation>
    </message>
    <message>
        <source>Y 轴二阶温标</source>
        <translation>Y 2nd-order temp. term</translation>
    </message>
    <message>
        <source>Y 轴一阶温标</source>
        <translation>Y 1st-order temp. term</translation>
    </message>
    <message>
        <source>Y 轴刻度系数</source>
        <translation>Y scale factor</translation>
    </message>
    <message>
        <source>Z 轴二阶温标</source>
        <translation>Z 2nd-order temp. term</translation>
    </message>
    <message>
        <source>Z 轴一阶温标</source>
        <translation>Z 1st-order temp. term</translation>
    </message>
    <message>
        <source>Z 轴刻度系数</source>
        <translation>Z scale factor</translation>
    </message>
    <message>
        <source>静态漂移 X</source>
        <translation>Static drift X</translation>
    </message>
    <message>
        <source>静态漂移 Y</source>
        <translation>Static drift Y</translation>
    </message>
    <message>
        <source>静态漂移 Z</source>
        <translation>Static drift Z</translation>
    </message>
    <message>
        <source>交叉耦合 XY</source>
        <translation>Cross-coupling XY</translation>
    </message>
    <message>
        <source>交叉耦合 XZ</source>
        <translation>Cross-coupling XZ</translation>
    </message>
    <message>
        <source>交叉耦合 YX</source>
        <translation>Cross-coupling YX</translation>
    </message>
    <message>
        <source>交叉耦合 YZ</source>
        <translation>Cross-coupling YZ</translation>
    </message>
    <message>
        <source>交叉耦合 ZX</source>
        <translation>Cross-coupling ZX</translation>
    </message>
    <message>
        <source>交叉耦合 ZY</source>
        <translation>Cross-coupling ZY</translation>
    </message>
    <message>
        <source>标定数据</source>
        <translation>Calibration data</translation>
    </message>
    <message>
        <source>数据文件 (*.dat *.txt);;All (*.*)</source>
        <translation>Data files (*.dat *.txt);;All (*.*)</translation>
    </message>
    <message numerus="yes">
        <source>有 %n 项参数为空或不是有效数字（%1）。这些位置将按当前内容下发，设备可能拒收或写入错误参数。是否继续？</source>
        <translation>
            <numerusform>%n parameter is empty or not a valid number (%1). It is sent as it stands; the unit may refuse the record or store a wrong value. Continue?</numerusform>
            <numerusform>%n parameters are empty or not valid numbers (%1). They are sent as they stand; the unit may refuse the record or store wrong values. Continue?</numerusform>
        </translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>温标与刻度</source>
        <translation>Temperature terms and scale</translation>
    </message>
    <message>
        <source>二阶温标</source>
        <translation>2nd-order temp.</translation>
    </message>
    <message>
        <source>一阶温标</source>
        <translation>1st-order temp.</translation>
    </message>
    <message>
        <source>刻度系数</source>
        <translation>Scale factor</translation>
    </message>
    <message>
        <source>交叉耦合</source>
        <translation>Cross-coupling</translation>
    </message>
    <message>
        <source>回读</source>
        <translation>Read-back</translation>
    </message>
    <message>
        <source>写入出厂</source>
        <translation>Write to factory</translation>
    </message>
    <message>
        <source>静态漂移</source>
        <translation>Static drift</translation>
    </message>
    <message>
        <source>出厂读写</source>
        <translation>Factory read/write</translation>
    </message>
    <message>
        <source>读出厂</source>
        <translation>Read factory</translation>
    </message>
    <message>
        <source>设出厂</source>
        <translation>Set as factory</translation>
    </message>
    <message>
        <source>导入标定</source>
        <translation>Import calibration</translation>
    </message>
    <message>
        <source>保存出厂</source>
        <translation>Save factory</translation>
    </message>
    <message>
        <source>仍然下发</source>
        <translation>Send anyway</translation>
    </message>
    <message>
        <source>返回填写</source>
        <translation>Go back</translation>
    </message>
</context>
<context>
    <name>FactoryInstallTab</name>
    <message>
        <source>安装误差</source>
        <translation>Mounting error</translation>
    </message>
    <message>
        <source>度</source>
        <translation>deg</translation>
    </message>
    <message>
        <source>回读</source>
        <translation>Read-back</translation>
    </message>
    <message>
        <source>读安装误差</source>
        <translation>Read mounting error</translation>
    </message>
    <message>
        <source>设安装误差</source>
        <translation>Set mounting error</translation>
    </message>
    <message>
        <source>保存出厂</source>
        <translation>Save factory</translation>
    </message>
</context>
<context>
    <name>FactoryMaintTab</name>
    <message>
        <source>厂家存储</source>
        <translation>Factory storage</translation>
    </message>
    <message>
        <source>初始化存储信息</source>
        <translation>Initialise stored info</translation>
    </message>
    <message>
        <source>IMU 标定与漂移</source>
        <translation>IMU calibration and drift</translation>
    </message>
    <message>
        <source>读 IMU 标定</source>
        <translation>Read IMU calibration</translation>
    </message>
    <message>
        <source>静态标定</source>
        <translation>Static calibration</translation>
    </message>
    <message>
        <source>复位标定</source>
        <translation>Reset calibration</translation>
    </message>
    <message>
        <source>漂移触发</source>
        <translation>Trigger drift</translation>
    </message>
    <message>
        <source>Z 轴漂移量</source>
        <translation>Z-axis drift</translation>
    </message>
    <message>
        <source>设漂移</source>
        <translation>Set drift</translation>
    </message>
</context>
<context>
    <name>ForwardPanel</name>
    <message>
        <source>数据转发</source>
        <translation>Data forwarding</translation>
    </message>
    <message>
        <source>把解码后的每条记录交给其他程序，实时设备与记录回放均可。</source>
        <translation>Hands every decoded record to other programs, from a live unit or a replay.</translation>
    </message>
    <message>
        <source>UDP JSON</source>
        <translation>UDP JSON</translation>
    </message>
    <message>
        <source>每条记录一个数据报，供绘图工具使用（如 PlotJuggler）</source>
        <translation>One datagram per record, for plotting tools (such as PlotJuggler)</translation>
    </message>
    <message>
        <source>目标</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>%1 · 已发送 %2 条</source>
        <translation>%1 · %2 sent</translation>
    </message>
    <message>
        <source>NMEA 0183 TCP</source>
        <translation>NMEA 0183 TCP</translation>
    </message>
    <message>
        <source>GGA、RMC、VTG、HDT，供地图与 GNSS 软件使用</source>
        <translation>GGA, RMC, VTG, HDT for mapping and GNSS software</translation>
    </message>
    <message>
        <source>监听</source>
        <translation>Listen on</translation>
    </message>
    <message>
        <source>频率</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>Hz（不超过设备的输出频率）</source>
        <translation>Hz (never above the unit&apos;s output rate)</translation>
    </message>
    <message>
        <source>%1 · 慢客户端丢弃 %2 字节</source>
        <translation>%1 · %2 bytes dropped for slow clients</translation>
    </message>
    <message>
        <source>UDP JSON 目标地址</source>
        <translation>UDP JSON target address</translation>
    </message>
    <message>
        <source>UDP JSON 目标端口</source>
        <translation>UDP JSON target port</translation>
    </message>
    <message>
        <source>NMEA 0183 监听地址</source>
        <translation>NMEA 0183 listen address</translation>
    </message>
    <message>
        <source>NMEA 0183 监听端口</source>
        <translation>NMEA 0183 listen port</translation>
    </message>
    <message>
        <source>NMEA 0183 频率（Hz）</source>
        <translation>NMEA 0183 rate (Hz)</translation>
    </message>
</context>
<context>
    <name>GComboBox</name>
    <message>
        <source>移除 %1</source>
        <translation>Remove %1</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>确定将「%1」从纳管列表中移除吗？
未完成的连接准备将被清除；若该设备已联机，将先断开。</source>
        <translation>Remove &quot;%1&quot; from the managed devices?
A connection still being prepared is dropped; if the device is online, it is disconnected first.</translation>
    </message>
    <message>
        <source>取消纳管</source>
        <translation>Remove device</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>保留</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>保存连接信息</source>
        <translation>Save link settings</translation>
    </message>
    <message>
        <source>保存并断开</source>
        <translation>Save and disconnect</translation>
    </message>
    <message>
        <source>继续编辑</source>
        <translation>Keep editing</translation>
    </message>
</context>
<context>
    <name>MessagePage</name>
    <message>
        <source>数据格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>等待协议</source>
        <translation>Waiting for protocol</translation>
    </message>
    <message numerus="yes">
        <source>%n 项</source>
        <translation>
            <numerusform>%n field</numerusform>
            <numerusform>%n fields</numerusform>
        </translation>
    </message>
    <message>
        <source>已选中文本，暂停刷新</source>
        <translation>Text selected, refresh paused</translation>
    </message>
    <message>
        <source>等待导航数据…</source>
        <translation>Waiting for navigation data…</translation>
    </message>
</context>
<context>
    <name>NavMenu</name>
    <message>
        <source>回放模式下不可用</source>
        <translation>Not available in replay</translation>
    </message>
    <message>
        <source>快捷键 Ctrl+%1</source>
        <translation>Shortcut Ctrl+%1</translation>
    </message>
</context>
<context>
    <name>NoisePage</name>
    <message>
        <source>记录期间设备不是静止的，以下噪声指标没有意义：%1</source>
        <translation>The unit was not at rest during the recording; the noise figures below mean nothing: %1</translation>
    </message>
    <message>
        <source>记录中有中断，以下噪声指标按连续数据算出，并不可靠：%1</source>
        <translation>The recording has gaps; the noise figures below treat it as continuous and are not reliable: %1</translation>
    </message>
    <message>
        <source>选择记录</source>
        <translation>Choose recording</translation>
    </message>
    <message>
        <source>记录文件 (*.txt *.bin);;所有文件 (*)</source>
        <translation>Recordings (*.txt *.bin);;All files (*)</translation>
    </message>
    <message>
        <source>导出噪声分析 CSV</source>
        <translation>Export noise analysis CSV</translation>
    </message>
    <message>
        <source>噪声分析</source>
        <translation>Noise analysis</translation>
    </message>
    <message>
        <source>选择一段设备静止时的记录（.txt 消息记录或 .bin 原始数据）</source>
        <translation>Choose a recording made with the unit at rest (.txt message log or .bin raw data)</translation>
    </message>
    <message>
        <source>采样率</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>重新分析</source>
        <translation>Analyse again</translation>
    </message>
    <message>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>正在分析 %1…</source>
        <translation>Analysing %1…</translation>
    </message>
    <message>
        <source>采样率 %1 Hz</source>
        <translation>Sample rate %1 Hz</translation>
    </message>
    <message>
        <source>（由时间戳得出）</source>
        <translation> (from time stamps)</translation>
    </message>
    <message>
        <source>（指定）</source>
        <translation> (given)</translation>
    </message>
    <message>
        <source>（取自回放）</source>
        <translation> (from replay)</translation>
    </message>
    <message numerus="yes">
        <source>%n 个采样</source>
        <translation>
            <numerusform>%n sample</numerusform>
            <numerusform>%n samples</numerusform>
        </translation>
    </message>
    <message>
        <source>Allan 方差</source>
        <translation>Allan deviation</translation>
    </message>
    <message>
        <source>重叠 Allan 标准差 · 陀螺实线 °/h · 加计虚线 mg</source>
        <translation>Overlapping · gyros solid °/h · accels dashed mg</translation>
    </message>
    <message>
        <source>正在分析…</source>
        <translation>Analysing…</translation>
    </message>
    <message>
        <source>选择一段设备静止时的记录，计算陀螺与加计的 Allan 方差</source>
        <translation>Choose a recording made with the unit at rest to compute the Allan deviation of the gyros and accelerometers</translation>
    </message>
    <message>
        <source>噪声指标</source>
        <translation>Noise figures</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>随机游走</source>
        <translation>Random walk</translation>
    </message>
    <message>
        <source>零偏不稳定性</source>
        <translation>Bias instability</translation>
    </message>
    <message>
        <source>最小处 τ</source>
        <translation>τ at min.</translation>
    </message>
    <message>
        <source>随机游走：白噪声区（斜率 −½）拟合直线在 τ = 1 s 处的读数；陀螺为角度随机游走 ARW，加计为速度随机游走 VRW。</source>
        <translation>Random walk: the line fitted to the white-noise region (slope −½), read at τ = 1 s; angle random walk (ARW) for the gyros, velocity random walk (VRW) for the accelerometers.</translation>
    </message>
    <message>
        <source>零偏不稳定性：曲线最小值 ÷ 0.664；“≤”表示曲线到最长 τ 仍在下降，需要更长的记录才能读准。</source>
        <translation>Bias instability: the curve&apos;s minimum ÷ 0.664; &quot;≤&quot; means the curve still falls at the longest τ, and a longer recording is needed to read it.</translation>
    </message>
</context>
<context>
    <name>RawPage</name>
    <message>
        <source>关闭导航输出 (stop com1)</source>
        <translation>Stop navigation output</translation>
    </message>
    <message>
        <source>打开导航输出 (start com1)</source>
        <translation>Start navigation output</translation>
    </message>
    <message>
        <source>读串口1 (get com1)</source>
        <translation>Read serial port 1</translation>
    </message>
    <message>
        <source>保存用户配置 (save config)</source>
        <translation>Save user configuration</translation>
    </message>
    <message>
        <source>复位用户存储 (reset user flash)</source>
        <translation>Reset user storage</translation>
    </message>
    <message>
        <source>航向校正 (correct heading)</source>
        <translation>Heading correction</translation>
    </message>
    <message>
        <source>读对准时间 (get align time)</source>
        <translation>Read alignment time</translation>
    </message>
    <message>
        <source>设对准时间 300s (set align time)</source>
        <translation>Set alignment time to 300 s</translation>
    </message>
    <message>
        <source>读导航位置 (get position)</source>
        <translation>Read navigation position</translation>
    </message>
    <message>
        <source>复位 Flash 信息 (reset flash info)</source>
        <translation>Reset flash information</translation>
    </message>
    <message>
        <source>已暂停 · 文本按串口字节显示（不可打印为 .）；二进制请切 Hex</source>
        <translation>Paused · text shows serial bytes (unprintable as .); use Hex for binary</translation>
    </message>
    <message>
        <source>实时 · 文本按串口字节显示（不可打印为 .）；二进制请切 Hex。高频下分段刷新以免卡住界面</source>
        <translation>Live · text shows serial bytes (unprintable as .); use Hex for binary. Refreshes in steps at high rates</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>继续</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Hex 等待…</source>
        <translation>Waiting for data (hex)…</translation>
    </message>
    <message>
        <source>文本等待…</source>
        <translation>Waiting for data (text)…</translation>
    </message>
    <message>
        <source>预设指令</source>
        <translation>Preset commands</translation>
    </message>
    <message>
        <source>筛选</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>无匹配预设</source>
        <translation>No matching preset</translation>
    </message>
    <message>
        <source>Hex 发送</source>
        <translation>Send as hex</translation>
    </message>
    <message>
        <source>勾选：按十六进制发字节（如 AA 55）。#vorn 文本指令请勿勾选。</source>
        <translation>Checked: sends the bytes written in hex (e.g. AA 55). Leave it unchecked for #vorn text commands.</translation>
    </message>
    <message>
        <source>原始字符串</source>
        <translation>Raw text</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>日志显示格式</source>
        <translation>Log display format</translation>
    </message>
    <message>
        <source>通信日志</source>
        <translation>Communication log</translation>
    </message>
    <message>
        <source>筛选预设指令</source>
        <translation>Filter presets</translation>
    </message>
    <message>
        <source>发送内容</source>
        <translation>Text to send</translation>
    </message>
</context>
<context>
    <name>ReadbackChip</name>
    <message>
        <source>回读</source>
        <translation>Read-back</translation>
    </message>
</context>
<context>
    <name>RecordPage</name>
    <message>
        <source>选择记录文件</source>
        <translation>Choose recording file</translation>
    </message>
    <message>
        <source>记录文件 (*.txt *.bin);;所有文件 (*)</source>
        <translation>Recordings (*.txt *.bin);;All files (*)</translation>
    </message>
    <message>
        <source>记录目录</source>
        <translation>Recording folder</translation>
    </message>
    <message>
        <source>遥测 CSV</source>
        <translation>Telemetry CSV</translation>
    </message>
    <message>
        <source>数据记录</source>
        <translation>Data recording</translation>
    </message>
    <message>
        <source>磁盘写入中</source>
        <translation>Writing to disk</translation>
    </message>
    <message>
        <source>写入失败，记录已停止</source>
        <translation>Write failed, recording stopped</translation>
    </message>
    <message>
        <source>解析帧 + 串口原码双路落盘</source>
        <translation>Parsed frames and raw serial bytes, written side by side</translation>
    </message>
    <message>
        <source>待命</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>离线</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>已写入的数据保留在文件中；请清理磁盘空间或换一个目录后重新开始。</source>
        <translation>The data already written stay in the files; free some disk space or choose another folder, then start again.</translation>
    </message>
    <message>
        <source>已连接</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>时</source>
        <translation>h</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>缓冲约 200 ms 落盘，停录后可查看文件</source>
        <translation>Saved about every 200 ms; open the files once stopped</translation>
    </message>
    <message>
        <source>■  停止并保存</source>
        <translation>■  Stop and save</translation>
    </message>
    <message>
        <source>▶  选择目录并开始</source>
        <translation>▶  Choose folder and start</translation>
    </message>
    <message>
        <source>点击开始后选择文件夹，无需提前手动建文件</source>
        <translation>Click start, then choose a folder; no need to create the files first</translation>
    </message>
    <message>
        <source>连接设备后即可开始记录</source>
        <translation>Connect the device to start recording</translation>
    </message>
    <message>
        <source>请先在右上角添加并连接设备</source>
        <translation>First add and connect a device at the top right</translation>
    </message>
    <message>
        <source>写入目录：%1</source>
        <translation>Writing to: %1</translation>
    </message>
    <message>
        <source>上次记录目录：%1</source>
        <translation>Last recording folder: %1</translation>
    </message>
    <message>
        <source>指定 CSV 路径…</source>
        <translation>Choose CSV path…</translation>
    </message>
    <message>
        <source>输出文件</source>
        <translation>Output files</translation>
    </message>
    <message>
        <source>解析文本</source>
        <translation>Parsed text</translation>
    </message>
    <message>
        <source>每行前加主机时间，后为 #vorn,imu/ahrs/sins,…*校验</source>
        <translation>Each line: host time, then #vorn,imu/ahrs/sins,…*checksum</translation>
    </message>
    <message>
        <source>遥测表</source>
        <translation>Telemetry table</translation>
    </message>
    <message>
        <source>Hub 快照字段，逗号分隔</source>
        <translation>Hub snapshot fields, comma-separated</translation>
    </message>
    <message>
        <source>串口原码</source>
        <translation>Raw serial bytes</translation>
    </message>
    <message>
        <source>与文本同主文件名，便于对照与离线解析</source>
        <translation>Same base name as the text file, for comparison and offline parsing</translation>
    </message>
    <message>
        <source>解析格式</source>
        <translation>Parsed format</translation>
    </message>
    <message>
        <source>记录模式</source>
        <translation>Recording mode</translation>
    </message>
    <message>
        <source>等待首帧…</source>
        <translation>Waiting for the first frame…</translation>
    </message>
    <message>
        <source>文件名前缀随格式变化</source>
        <translation>The file name prefix follows the format</translation>
    </message>
    <message>
        <source>收到导航数据后自动识别 imu / ahrs / sins 等</source>
        <translation>imu / ahrs / sins etc. are recognised once navigation data arrive</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>format</translation>
    </message>
    <message>
        <source>导出记录</source>
        <translation>Export recording</translation>
    </message>
    <message>
        <source>尚无记录：停止一次记录后可导出，或选择已有的记录文件</source>
        <translation>No recording yet: stop one to export it, or choose a file</translation>
    </message>
    <message>
        <source>选择记录文件…</source>
        <translation>Choose recording file…</translation>
    </message>
    <message>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>导出 KML</source>
        <translation>Export KML</translation>
    </message>
    <message>
        <source>CSV 可在 Excel、MATLAB 中打开；KML 为 GNSS 轨迹，可在 Google Earth 中查看</source>
        <translation>CSV opens in Excel or MATLAB; KML is the GNSS track, for Google Earth</translation>
    </message>
    <message>
        <source>正在导出 %2 为 %1…</source>
        <extracomment>%1 is the format (CSV or KML), %2 the name of the recording</extracomment>
        <translation>Exporting %2 as %1…</translation>
    </message>
    <message>
        <source>记录期间请保持连接；停止后文件立即可在目录中打开。</source>
        <translation>Stay connected while recording; once stopped, the files can be opened in the folder at once.</translation>
    </message>
    <message>
        <source>记录时长 %1</source>
        <translation>Recording time %1</translation>
    </message>
</context>
<context>
    <name>ReplayBar</name>
    <message>
        <source>暂停（空格）</source>
        <translation>Pause (Space)</translation>
    </message>
    <message>
        <source>播放（空格）</source>
        <translation>Play (Space)</translation>
    </message>
    <message>
        <source>回到起点（Home）</source>
        <translation>To the start (Home)</translation>
    </message>
    <message>
        <source>上一条记录（←）</source>
        <translation>Previous record (←)</translation>
    </message>
    <message>
        <source>下一条记录（→）</source>
        <translation>Next record (→)</translation>
    </message>
    <message>
        <source>跳到末尾（End）</source>
        <translation>To the end (End)</translation>
    </message>
    <message>
        <source>回放速度</source>
        <translation>Replay speed</translation>
    </message>
    <message>
        <source>建立索引 %1%</source>
        <translation>Indexing %1%</translation>
    </message>
    <message>
        <source>记录有误</source>
        <translation>Faulty recording</translation>
    </message>
    <message>
        <source>记录频率</source>
        <translation>Record rate</translation>
    </message>
    <message>
        <source>无时间标记的记录按此频率回放</source>
        <translation>Records without a time tag are replayed at this rate</translation>
    </message>
    <message>
        <source>循环</source>
        <translation>Loop</translation>
    </message>
    <message>
        <source>播放到末尾后从头再来</source>
        <translation>Start again from the beginning after the end</translation>
    </message>
    <message>
        <source>回放位置</source>
        <translation>Replay position</translation>
    </message>
</context>
<context>
    <name>ShellFooter</name>
    <message>
        <source>运行  %1</source>
        <translation>Run time  %1</translation>
    </message>
    <message>
        <source>联机后将显示 RX / TX 与运行时间</source>
        <translation>RX / TX and run time appear once online</translation>
    </message>
    <message>
        <source>版本 %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>官网</source>
        <translation>Website</translation>
    </message>
</context>
<context>
    <name>ShellHeader</name>
    <message>
        <source>界面语言，选择后立即生效</source>
        <translation>Display language; applies at once</translation>
    </message>
    <message>
        <source>减少动效</source>
        <translation>Reduce motion</translation>
    </message>
    <message>
        <source>关闭背景动画与界面过渡动效</source>
        <translation>Turn off the background animation and the interface transitions</translation>
    </message>
    <message>
        <source>主题</source>
        <translation>Theme</translation>
    </message>
</context>
<context>
    <name>StatsPage</name>
    <message>
        <source>接收字节</source>
        <translation>Bytes received</translation>
    </message>
    <message>
        <source>发送字节</source>
        <translation>Bytes sent</translation>
    </message>
    <message>
        <source>接收时长</source>
        <translation>Receive time</translation>
    </message>
    <message>
        <source>接收包</source>
        <translation>Packets received</translation>
    </message>
    <message>
        <source>错包 · 丢包率</source>
        <translation>Bad packets · loss rate</translation>
    </message>
    <message>
        <source>频率</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>会话接收</source>
        <translation>Session RX</translation>
    </message>
    <message>
        <source>会话发送</source>
        <translation>Session TX</translation>
    </message>
    <message>
        <source>软件运行</source>
        <translation>Run time</translation>
    </message>
    <message>
        <source>二进制帧</source>
        <translation>Binary frames</translation>
    </message>
    <message>
        <source>帧</source>
        <translation>frames</translation>
    </message>
    <message>
        <source>文本语句</source>
        <translation>Text sentences</translation>
    </message>
    <message>
        <source>条</source>
        <translation>lines</translation>
    </message>
    <message>
        <source>校验失败</source>
        <translation>Checksum failures</translation>
    </message>
    <message>
        <source>拒收文本行</source>
        <translation>Rejected text lines</translation>
    </message>
    <message>
        <source>行</source>
        <translation>lines</translation>
    </message>
    <message>
        <source>跳过字节</source>
        <translation>Skipped bytes</translation>
    </message>
    <message>
        <source>丢帧</source>
        <translation>Lost frames</translation>
    </message>
    <message>
        <source>清零统计</source>
        <translation>Reset statistics</translation>
    </message>
    <message>
        <source>清零仅重置解析统计（字节/包/时长/错包），不断开连接。</source>
        <translation>Reset clears only the parsing statistics (bytes, packets, time, bad packets); the link stays connected.</translation>
    </message>
</context>
<context>
    <name>Telemetry</name>
    <message>
        <source>随帧</source>
        <translation>per frame</translation>
    </message>
    <message>
        <source>%1 · 随帧实时采样</source>
        <translation>%1 · sampled live per frame</translation>
    </message>
    <message>
        <source>%1 · 等待数据流</source>
        <translation>%1 · waiting for data</translation>
    </message>
</context>
<context>
    <name>Theme</name>
    <message>
        <source>航天国防蓝</source>
        <translation>Aerospace Blue</translation>
    </message>
    <message>
        <source>深空星尘银</source>
        <translation>Stardust Silver</translation>
    </message>
    <message>
        <source>极简高亮白</source>
        <translation>Bright White</translation>
    </message>
    <message>
        <source>极光深空紫</source>
        <translation>Aurora Violet</translation>
    </message>
</context>
<context>
    <name>ToastLayer</name>
    <message>
        <source>已发送：</source>
        <translation>Sent: </translation>
    </message>
    <message>
        <source>关闭通知</source>
        <translation>Dismiss notice</translation>
    </message>
</context>
<context>
    <name>TrackPage</name>
    <message>
        <source>GNSS 轨迹</source>
        <translation>GNSS track</translation>
    </message>
    <message>
        <source>东 / 北向米制坐标 · 起点为首个定位点</source>
        <translation>East / north in metres · origin at the first fix</translation>
    </message>
    <message>
        <source>需 sins 导航层定位字段</source>
        <translation>Needs the sins navigation layer&apos;s position fields</translation>
    </message>
    <message>
        <source>清空轨迹</source>
        <translation>Clear track</translation>
    </message>
    <message>
        <source>清除已绘制的轨迹，以下一个定位点为新起点</source>
        <translation>Clears the track drawn so far; the next fix becomes the new origin</translation>
    </message>
    <message>
        <source>放大（也可滚动鼠标滚轮）</source>
        <translation>Zoom in (or use the mouse wheel)</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>全览</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>显示整条轨迹并随轨迹自动缩放（双击地图同效）</source>
        <translation>Fit all: show the whole track and keep zooming with it (or double-click the map)</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>高度</source>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>地速</source>
        <translation>Ground speed</translation>
    </message>
    <message>
        <source>航向</source>
        <translation>Heading</translation>
    </message>
    <message>
        <source>GNSS 状态</source>
        <translation>GNSS status</translation>
    </message>
    <message>
        <source>行驶里程</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>距起点</source>
        <translation>From origin</translation>
    </message>
    <message>
        <source>东西 × 南北</source>
        <translation>E–W × N–S</translation>
    </message>
    <message>
        <source>轨迹点</source>
        <translation>Track points</translation>
    </message>
    <message>
        <source>个</source>
        <translation>pts</translation>
    </message>
    <message>
        <source>当前位置</source>
        <translation>Current position</translation>
    </message>
    <message>
        <source>航迹</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>起点 %1°, %2°</source>
        <translation>Origin %1°, %2°</translation>
    </message>
    <message>
        <source>拖动平移 · 滚轮缩放 · 双击地图显示全程</source>
        <translation>Drag pans · wheel zooms · double-click fits</translation>
    </message>
    <message>
        <source>方向键平移 · +/− 缩放 · Home 全览</source>
        <translation>Arrow keys pan · +/− zoom · Home fits all</translation>
    </message>
</context>
<context>
    <name>UpgradePage</name>
    <message>
        <source>软件复位</source>
        <translation>Software reset</translation>
    </message>
    <message>
        <source>硬件复位</source>
        <translation>Hardware reset</translation>
    </message>
    <message>
        <source>115200 · 复位后 20 秒内进入升级模式</source>
        <translation>115200 · enters upgrade mode within 20 s of a reset</translation>
    </message>
    <message>
        <source>等待升级模式 %1s</source>
        <translation>Waiting for upgrade mode %1 s</translation>
    </message>
    <message>
        <source>传输中</source>
        <translation>Transferring</translation>
    </message>
    <message>
        <source>固件升级</source>
        <translation>Firmware upgrade</translation>
    </message>
    <message>
        <source>设备连接</source>
        <translation>Device connection</translation>
    </message>
    <message>
        <source>串口已连接</source>
        <translation>Serial port connected</translation>
    </message>
    <message>
        <source>尚未连接</source>
        <translation>Not connected yet</translation>
    </message>
    <message>
        <source>当前 115200，与升级模式一致</source>
        <translation>Now 115200, as upgrade mode needs</translation>
    </message>
    <message>
        <source>当前 %1，烧写前会重开为 115200</source>
        <translation>Now %1; reopened at 115200 before flashing</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>复位方式</source>
        <translation>Reset method</translation>
    </message>
    <message>
        <source>推荐</source>
        <translation>Recommended</translation>
    </message>
    <message>
        <source>固件文件</source>
        <translation>Firmware file</translation>
    </message>
    <message>
        <source>选择 .bin 固件</source>
        <translation>Choose a .bin firmware</translation>
    </message>
    <message>
        <source>更换</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>开始烧写</source>
        <translation>Start flashing</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>请立即手动断电再上电，或按设备复位键重启；倒计时内进入升级模式后将自动开始烧写。</source>
        <translation>Power the unit off and on now, or press its reset button; flashing starts by itself once it enters upgrade mode within the countdown.</translation>
    </message>
</context>
<context>
    <name>UserCommTab</name>
    <message>
        <source>设备回读</source>
        <translation>Unit read-back</translation>
    </message>
    <message>
        <source>固件版本</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>读版本</source>
        <translation>Read version</translation>
    </message>
    <message>
        <source>串口1 通信</source>
        <translation>Serial port 1</translation>
    </message>
    <message>
        <source>唯一编辑区 · 设后页底保存 Flash</source>
        <translation>Edit here only · then save to flash below</translation>
    </message>
    <message>
        <source>接口</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>%1（自定义）</source>
        <translation>%1 (custom)</translation>
    </message>
    <message>
        <source>频率 (Hz)</source>
        <translation>Rate (Hz)</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>回读</source>
        <translation>Read-back</translation>
    </message>
    <message>
        <source>读串口1</source>
        <translation>Read port 1</translation>
    </message>
    <message>
        <source>设串口1</source>
        <translation>Set port 1</translation>
    </message>
    <message>
        <source>安装轴向</source>
        <translation>Mounting axes</translation>
    </message>
    <message>
        <source>X/Y/Z 须各对应不同机体轴（x、y、z），且满足右手定则；不符合时无法下发设轴向。</source>
        <translation>X, Y and Z must each map to a different body axis (x, y, z) and form a right-handed set; otherwise the axes cannot be set.</translation>
    </message>
    <message>
        <source>读轴向</source>
        <translation>Read axes</translation>
    </message>
    <message>
        <source>设轴向</source>
        <translation>Set axes</translation>
    </message>
    <message>
        <source>当前组合不符合右手系或存在重复机体轴</source>
        <translation>This combination is not right-handed or repeats a body axis</translation>
    </message>
    <message>
        <source>GNSS 与外插</source>
        <translation>GNSS and extrapolation</translation>
    </message>
    <message>
        <source>GNSS 航向补偿</source>
        <translation>GNSS heading compensation</translation>
    </message>
    <message>
        <source>度</source>
        <translation>deg</translation>
    </message>
    <message>
        <source>外插时间</source>
        <translation>Extrapolation time</translation>
    </message>
    <message>
        <source>毫秒</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>读 GNSS</source>
        <translation>Read GNSS</translation>
    </message>
    <message>
        <source>设 GNSS</source>
        <translation>Set GNSS</translation>
    </message>
    <message>
        <source>读外插</source>
        <translation>Read extrapolation</translation>
    </message>
    <message>
        <source>设外插</source>
        <translation>Set extrapolation</translation>
    </message>
    <message>
        <source>读回与保存</source>
        <translation>Read back and save</translation>
    </message>
    <message>
        <source>读：串口1、轴向、GNSS、外插等一并回读。存：任意 Tab 改参后在此保存一次即可写入 Flash。</source>
        <translation>Read: serial port 1, axes, GNSS, extrapolation and the rest are read back together. Save: after changing settings on any tab, save once here to write them to flash.</translation>
    </message>
    <message>
        <source>读用户配置</source>
        <translation>Read user configuration</translation>
    </message>
    <message>
        <source>保存用户配置</source>
        <translation>Save user configuration</translation>
    </message>
    <message>
        <source>将当前用户参数写入设备 Flash，掉电后仍有效。是否继续？</source>
        <translation>Write the current user settings to the unit&apos;s flash, where they survive a power-off. Continue?</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
</context>
<context>
    <name>UserMaintTab</name>
    <message>
        <source>1 · 航向赋值 0~360°</source>
        <translation>1 · Set heading 0–360°</translation>
    </message>
    <message>
        <source>2 · 航向修正 ±0.5°</source>
        <translation>2 · Correct heading ±0.5°</translation>
    </message>
    <message>
        <source>用户存储</source>
        <translation>User storage</translation>
    </message>
    <message>
        <source>复位用户存储</source>
        <translation>Reset user storage</translation>
    </message>
    <message>
        <source>航向修正</source>
        <translation>Heading correction</translation>
    </message>
    <message>
        <source>模式</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>度</source>
        <translation>deg</translation>
    </message>
    <message>
        <source>执行</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>高度 m</source>
        <translation>Altitude m</translation>
    </message>
    <message>
        <source>读位置</source>
        <translation>Read position</translation>
    </message>
    <message>
        <source>设位置</source>
        <translation>Set position</translation>
    </message>
    <message>
        <source>对准时间</source>
        <translation>Alignment time</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>读对准时间</source>
        <translation>Read alignment time</translation>
    </message>
    <message>
        <source>设对准时间</source>
        <translation>Set alignment time</translation>
    </message>
    <message>
        <source>用户配置区将恢复为出厂默认，此操作不可撤销。是否继续？</source>
        <translation>The user settings return to their factory defaults. This cannot be undone. Continue?</translation>
    </message>
    <message>
        <source>复位</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>WelcomePanel</name>
    <message>
        <source>尚未纳管任何设备</source>
        <translation>No devices managed yet</translation>
    </message>
    <message>
        <source>自动搜索</source>
        <translation>Auto-search</translation>
    </message>
    <message>
        <source>添加设备</source>
        <translation>Add device</translation>
    </message>
    <message>
        <source>打开记录</source>
        <translation>Open recording</translation>
    </message>
    <message>
        <source>回放已保存的记录文件（.txt / .bin），无需连接设备</source>
        <translation>Replay a saved recording (.txt / .bin); no device needed</translation>
    </message>
    <message>
        <source>自动搜索功能开发中，请使用「添加设备」手动纳管</source>
        <translation>Auto-search is not available yet; use &quot;Add device&quot; to manage a device</translation>
    </message>
    <message>
        <source>上电并接好线缆后，点击「添加设备」完成纳管。</source>
        <translation>Power the unit and connect its cable, then click &quot;Add device&quot; to manage it.</translation>
    </message>
    <message>
        <source>纳管后在功能页点击「连接」联机。</source>
        <translation>Once it is managed, click &quot;Connect&quot; on a function page to go online.</translation>
    </message>
    <message>
        <source>点击「打开记录」可回放已保存的记录，无需连接设备。</source>
        <translation>Click &quot;Open recording&quot; to replay a saved recording without a device.</translation>
    </message>
</context>
<context>
    <name>WorkProgress</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>WorkspaceSidebar</name>
    <message>
        <source>记录回放</source>
        <translation>Replay</translation>
    </message>
    <message>
        <source>设备总览</source>
        <translation>Device overview</translation>
    </message>
    <message>
        <source>回放中 · %1</source>
        <translation>Playing · %1</translation>
    </message>
    <message>
        <source>已暂停 · %1</source>
        <translation>Paused · %1</translation>
    </message>
</context>
<context>
    <name>gcs::Application</name>
    <message>
        <source>此功能尚未提供（%1）</source>
        <translation>Not available yet (%1)</translation>
    </message>
    <message>
        <source>记录回放 · %1</source>
        <translation>Replay · %1</translation>
    </message>
    <message>
        <source>就绪 · 等待纳管设备</source>
        <translation>Ready · waiting for managed devices</translation>
    </message>
    <message numerus="yes">
        <source>纳管 %n 台 · %1</source>
        <translation>
            <numerusform>%n managed device · %1</numerusform>
            <numerusform>%n managed devices · %1</numerusform>
        </translation>
    </message>
    <message>
        <source>TelvoMonitor
版本 %1
%2</source>
        <translation>TelvoMonitor
Version %1
%2</translation>
    </message>
    <message>
        <source>请先连接设备后再切换导航输出</source>
        <translation>Connect the device before switching the navigation output</translation>
    </message>
    <message>
        <source>固件升级进行中</source>
        <translation>Firmware upgrade in progress</translation>
    </message>
    <message>
        <source>打开导航输出（%1）</source>
        <translation>Navigation output on (%1)</translation>
    </message>
    <message>
        <source>关闭导航输出（%1）</source>
        <translation>Navigation output off (%1)</translation>
    </message>
    <message>
        <source>导航输出指令发送失败，请检查串口</source>
        <translation>The navigation output command was not sent; check the serial port</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>已保存：%1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>（文件不是 UTF-8 编码，请另存为 UTF-8 后重试）</source>
        <translation> (the file is not UTF-8; save it as UTF-8 and try again)</translation>
    </message>
    <message>
        <source>标定数据超出数值范围，未导入：%1（%2）</source>
        <translation>Calibration values out of range, nothing imported: %1 (%2)</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>文件中没有可识别的标定数据：%1</source>
        <translation>No calibration data found in the file: %1</translation>
    </message>
    <message numerus="yes">
        <source>已读取标定数据 %n 项：%1</source>
        <translation>
            <numerusform>Read %n calibration value: %1</numerusform>
            <numerusform>Read %n calibration values: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>补偿文件为空：%1</source>
        <translation>The compensation file is empty: %1</translation>
    </message>
    <message>
        <source>补偿文件含有无法识别的字符：%1</source>
        <translation>The compensation file has characters that cannot be read: %1</translation>
    </message>
    <message>
        <source>已打开补偿文件：%1</source>
        <translation>Compensation file opened: %1</translation>
    </message>
    <message>
        <source>设备连接已断开，正在等待重新连接…</source>
        <translation>Device link lost, waiting to reconnect…</translation>
    </message>
    <message>
        <source>正在连接… %1</source>
        <translation>Connecting… %1</translation>
    </message>
    <message>
        <source>等待重新连接… %1</source>
        <translation>Waiting to reconnect… %1</translation>
    </message>
    <message>
        <source>已连接</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>连接中</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>端口号 %1 无效（需在 0～65535 内）</source>
        <translation>Port number %1 is not valid (0 to 65535)</translation>
    </message>
    <message>
        <source>当前设备未配置串口，请点顶栏「添加」重新选择端口</source>
        <translation>The current device has no serial port; click &quot;Add&quot; in the top bar to choose one</translation>
    </message>
    <message>
        <source>该产品不支持串口连接（与老版上位机能力一致）</source>
        <translation>This product does not support serial links (as in the earlier host software)</translation>
    </message>
    <message>
        <source>请选择串口，或点击「刷新端口」后重试</source>
        <translation>Choose a serial port, or click &quot;Refresh ports&quot; and try again</translation>
    </message>
    <message>
        <source>串口 %1 已被纳管设备占用，请选择其他串口；如需修改请用该设备的「编辑」</source>
        <translation>Serial port %1 is taken by a managed device; choose another port, or change that device with its &quot;Edit&quot;</translation>
    </message>
    <message>
        <source>无法保存串口纳管信息</source>
        <translation>Cannot save the managed serial device</translation>
    </message>
    <message>
        <source>该产品不支持 UDP 连接（与老版上位机能力一致）</source>
        <translation>This product does not support UDP links (as in the earlier host software)</translation>
    </message>
    <message>
        <source>无法保存 UDP 纳管信息</source>
        <translation>Cannot save the managed UDP device</translation>
    </message>
    <message>
        <source>该产品不支持 TCP 连接（与老版上位机能力一致）</source>
        <translation>This product does not support TCP links (as in the earlier host software)</translation>
    </message>
    <message>
        <source>无法保存 TCP 纳管信息</source>
        <translation>Cannot save the managed TCP device</translation>
    </message>
    <message>
        <source>设备不存在或已移除</source>
        <translation>The device does not exist or was removed</translation>
    </message>
    <message>
        <source>无法保存：串口为空，或相同串口已被其他纳管设备占用</source>
        <translation>Cannot save: no serial port, or the port is taken by another managed device</translation>
    </message>
    <message>
        <source>无法保存：远端地址无效，或相同 UDP 连接已被其他纳管设备占用</source>
        <translation>Cannot save: the remote address is not valid, or the same UDP link is taken by another managed device</translation>
    </message>
    <message>
        <source>无法保存：相同 TCP 监听端口已被其他纳管设备占用</source>
        <translation>Cannot save: the TCP listening port is taken by another managed device</translation>
    </message>
    <message>
        <source>无法保存日志：%1（%2）</source>
        <translation>Cannot save the log: %1 (%2)</translation>
    </message>
    <message>
        <source>设备已重新连接</source>
        <translation>Device reconnected</translation>
    </message>
    <message>
        <source>无法添加波特率 %1（需在 300～3000000 内，且不能与已有项重复）</source>
        <translation>Cannot add baud rate %1 (300 to 3000000, not one already listed)</translation>
    </message>
    <message>
        <source>已添加波特率 %1</source>
        <translation>Baud rate %1 added</translation>
    </message>
    <message>
        <source>无法删除波特率 %1（仅可删除手动添加项）</source>
        <translation>Cannot remove baud rate %1 (only rates added by hand can be removed)</translation>
    </message>
    <message>
        <source>已删除自定义波特率 %1</source>
        <translation>Custom baud rate %1 removed</translation>
    </message>
    <message>
        <source>已刷新：未发现可用串口</source>
        <translation>Refreshed: no serial port found</translation>
    </message>
    <message numerus="yes">
        <source>已刷新串口列表（%n 个）</source>
        <translation>
            <numerusform>Port list refreshed (%n port)</numerusform>
            <numerusform>Port list refreshed (%n ports)</numerusform>
        </translation>
    </message>
    <message>
        <source>当前不支持串口自动发现</source>
        <translation>Serial auto-search is not available for this product</translation>
    </message>
    <message>
        <source>正在搜索惯导设备…</source>
        <translation>Searching for INS units…</translation>
    </message>
    <message>
        <source>未发现惯导设备</source>
        <translation>No INS unit found</translation>
    </message>
    <message>
        <source>发现串口响应，但对应产品不支持串口纳管</source>
        <translation>A port answered, but its product cannot be managed over serial</translation>
    </message>
    <message>
        <source>已识别 %1 · %2 @ %3，请在本页点击连接</source>
        <translation>Found %1 · %2 @ %3; click Connect on this page</translation>
    </message>
    <message>
        <source>；另发现 %1</source>
        <translation>; also found %1</translation>
    </message>
    <message>
        <source>探测中…</source>
        <translation>Probing…</translation>
    </message>
    <message>
        <source>正在检测串口与波特率…</source>
        <translation>Detecting port and baud rate…</translation>
    </message>
    <message>
        <source>检测已停止：串口正在连接</source>
        <translation>Detection stopped: the port is connecting</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>无法打开串口「%1」，请确认设备已上电、驱动正常，且未被 TelvoMonitor 等其它程序占用</source>
        <translation>Cannot open serial port &quot;%1&quot;; check that the unit is powered, its driver works and no other program (such as another TelvoMonitor) holds the port</translation>
    </message>
    <message>
        <source>无法载入英文翻译，界面仍为中文</source>
        <translation>Cannot load the English translation; the window stays in Chinese</translation>
    </message>
    <message>
        <source>%1；未能另存原文件副本（%2）</source>
        <translation>%1; the original file could not be kept (%2)</translation>
    </message>
    <message>
        <source>%1；原文件已另存为 %2</source>
        <translation>%1; the original file was kept as %2</translation>
    </message>
    <message>
        <source>设置文件无法读取，无法识别的设置已恢复默认</source>
        <translation>The settings file could not be read; settings that could not be read are back to their defaults</translation>
    </message>
    <message>
        <source>设备列表无法读取，已纳管的设备未能载入</source>
        <translation>The device list could not be read; the managed devices were not loaded</translation>
    </message>
    <message>
        <source>。</source>
        <translation>. </translation>
    </message>
    <message>
        <source>请先连接设备后再开始记录</source>
        <translation>Connect the device before you start recording</translation>
    </message>
    <message>
        <source>请先停止记录再导出</source>
        <translation>Stop the recording before you export</translation>
    </message>
    <message>
        <source>还没有可导出的记录，请先开始并停止一次记录</source>
        <translation>No recording to export yet; start and stop a recording first</translation>
    </message>
    <message>
        <source>不支持的导出格式：%1</source>
        <translation>Export format not supported: %1</translation>
    </message>
    <message>
        <source>正在导出，请等待完成或先取消</source>
        <translation>An export is running; wait for it to finish or cancel it</translation>
    </message>
    <message>
        <source>导出 %1</source>
        <translation>Export %1</translation>
    </message>
    <message>
        <source>打开记录</source>
        <translation>Open recording</translation>
    </message>
    <message>
        <source>记录文件 (*.txt *.bin);;所有文件 (*)</source>
        <translation>Recordings (*.txt *.bin);;All files (*)</translation>
    </message>
    <message>
        <source>固件升级进行中，无法打开记录</source>
        <translation>Firmware upgrade in progress; a recording cannot be opened</translation>
    </message>
    <message>
        <source>记录文件不存在：%1</source>
        <translation>Recording not found: %1</translation>
    </message>
    <message>
        <source>回放</source>
        <translation>Replay</translation>
    </message>
    <message>
        <source>正在回放：%1</source>
        <translation>Replaying: %1</translation>
    </message>
    <message>
        <source>指令发送失败</source>
        <translation>The command was not sent</translation>
    </message>
    <message>
        <source>会话未连接</source>
        <translation>Session not connected</translation>
    </message>
    <message>
        <source>发送失败</source>
        <translation>Send failed</translation>
    </message>
    <message numerus="yes">
        <source>已发送 Hex（%n 字节）</source>
        <translation>
            <numerusform>Sent hex (%n byte)</numerusform>
            <numerusform>Sent hex (%n bytes)</numerusform>
        </translation>
    </message>
    <message>
        <source>已发送：%1</source>
        <translation>Sent: %1</translation>
    </message>
</context>
<context>
    <name>gcs::AxisTriple</name>
    <message>
        <source>当前组合不符合右手系或存在重复机体轴</source>
        <translation>These axes are not right-handed or repeat a body axis</translation>
    </message>
</context>
<context>
    <name>gcs::CaptureExport</name>
    <message>
        <source>已取消导出</source>
        <translation>Export cancelled</translation>
    </message>
    <message>
        <source>导出文件不能覆盖记录文件本身：%1</source>
        <translation>The export cannot overwrite the recording itself: %1</translation>
    </message>
    <message>
        <source>无法创建导出文件 %1：%2</source>
        <translation>Cannot create export file %1: %2</translation>
    </message>
    <message>
        <source>写入导出文件失败：%1</source>
        <translation>Writing the export file failed: %1</translation>
    </message>
    <message>
        <source>无法保存导出文件 %1：%2</source>
        <translation>Cannot save export file %1: %2</translation>
    </message>
</context>
<context>
    <name>gcs::CaptureExportTask</name>
    <message>
        <source>已导出 %1 条记录到 %2</source>
        <translation>Exported %1 records to %2</translation>
    </message>
    <message>
        <source>已导出 %1 个轨迹点到 %2</source>
        <translation>Exported %1 track points to %2</translation>
    </message>
</context>
<context>
    <name>gcs::CaptureReader</name>
    <message>
        <source>无法打开文件 %1：%2</source>
        <translation>Cannot open file %1: %2</translation>
    </message>
    <message>
        <source>无法定位到文件 %1 的第 %2 字节</source>
        <translation>Cannot seek to byte %2 of file %1</translation>
    </message>
    <message>
        <source>读取文件 %1 出错：%2</source>
        <translation>Error reading file %1: %2</translation>
    </message>
    <message>
        <source>无法识别的文件 %1：既不是 INS 消息记录，也没有可解码的帧或语句</source>
        <translation>Unrecognised file %1: neither an INS message log nor any frames or sentences to decode</translation>
    </message>
    <message>
        <source>消息记录的最后一行（第 %1 行）不完整，文件可能在写入时被截断；之前的记录已读出</source>
        <translation>The last line of the message log (line %1) is incomplete; the file may have been cut off while it was written. The records before it have been read</translation>
    </message>
    <message>
        <source>消息记录第 %1 行过长（超过 %2 KB）；之前的记录已读出</source>
        <translation>Line %1 of the message log is too long (over %2 KB); the records before it have been read</translation>
    </message>
    <message>
        <source>消息记录第 %1 行不是“时间 报文”的格式；之前的记录已读出</source>
        <translation>Line %1 of the message log is not in the form &quot;time message&quot;; the records before it have been read</translation>
    </message>
    <message>
        <source>消息记录第 %1 行不是十六进制数据；之前的记录已读出</source>
        <translation>Line %1 of the message log is not hexadecimal data; the records before it have been read</translation>
    </message>
</context>
<context>
    <name>gcs::CaptureReport</name>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>file</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>kind</translation>
    </message>
    <message>
        <source>INS 消息记录</source>
        <translation>INS message log</translation>
    </message>
    <message>
        <source>原始数据</source>
        <translation>raw capture</translation>
    </message>
    <message>
        <source>文件大小</source>
        <translation>file size</translation>
    </message>
    <message>
        <source>解码字节</source>
        <translation>bytes decoded</translation>
    </message>
    <message>
        <source>二进制帧</source>
        <translation>binary frames</translation>
    </message>
    <message>
        <source>文本语句</source>
        <translation>text sentences</translation>
    </message>
    <message>
        <source>导航记录</source>
        <translation>navigation records</translation>
    </message>
    <message>
        <source>校验失败</source>
        <translation>checksum errors</translation>
    </message>
    <message>
        <source>被拒的文本行</source>
        <translation>text lines rejected</translation>
    </message>
    <message>
        <source>跳过的字节</source>
        <translation>skipped bytes</translation>
    </message>
    <message>
        <source>丢帧</source>
        <translation>lost frames</translation>
    </message>
    <message>
        <source>消息数</source>
        <translation>messages</translation>
    </message>
    <message>
        <source>时长</source>
        <translation>duration</translation>
    </message>
    <message>
        <source>消息速率</source>
        <translation>message rate</translation>
    </message>
    <message>
        <source>最长静默</source>
        <translation>longest silence</translation>
    </message>
    <message>
        <source>%1 ms（第 %2 行之前）</source>
        <translation>%1 ms (before line %2)</translation>
    </message>
    <message>
        <source>提前停止</source>
        <translation>stopped early</translation>
    </message>
</context>
<context>
    <name>gcs::CommandNotice</name>
    <message>
        <source>复位用户存储</source>
        <translation>Reset user storage</translation>
    </message>
    <message>
        <source>读固件版本</source>
        <translation>Read firmware version</translation>
    </message>
    <message>
        <source>读系统状态</source>
        <translation>Read system state</translation>
    </message>
    <message>
        <source>读串口1</source>
        <translation>Read COM1</translation>
    </message>
    <message>
        <source>设串口1</source>
        <translation>Set COM1</translation>
    </message>
    <message>
        <source>保存用户配置</source>
        <translation>Save user configuration</translation>
    </message>
    <message>
        <source>保存出厂配置</source>
        <translation>Save factory configuration</translation>
    </message>
    <message>
        <source>关闭导航输出</source>
        <translation>Stop navigation output</translation>
    </message>
    <message>
        <source>打开导航输出</source>
        <translation>Start navigation output</translation>
    </message>
    <message>
        <source>系统复位</source>
        <translation>Reset system</translation>
    </message>
    <message>
        <source>读安装轴向</source>
        <translation>Read mounting axes</translation>
    </message>
    <message>
        <source>设安装轴向</source>
        <translation>Set mounting axes</translation>
    </message>
    <message>
        <source>读 GNSS 航向补偿</source>
        <translation>Read GNSS heading compensation</translation>
    </message>
    <message>
        <source>设 GNSS 航向补偿</source>
        <translation>Set GNSS heading compensation</translation>
    </message>
    <message>
        <source>读外插时间</source>
        <translation>Read extrapolation time</translation>
    </message>
    <message>
        <source>设外插时间</source>
        <translation>Set extrapolation time</translation>
    </message>
    <message>
        <source>复位 Flash 信息</source>
        <translation>Reset flash information</translation>
    </message>
    <message>
        <source>读对准时间</source>
        <translation>Read alignment time</translation>
    </message>
    <message>
        <source>设对准时间</source>
        <translation>Set alignment time</translation>
    </message>
    <message>
        <source>读导航位置</source>
        <translation>Read navigation position</translation>
    </message>
    <message>
        <source>设导航位置</source>
        <translation>Set navigation position</translation>
    </message>
    <message>
        <source>读出厂参数</source>
        <translation>Read factory parameters</translation>
    </message>
    <message>
        <source>设出厂参数</source>
        <translation>Set factory parameters</translation>
    </message>
    <message>
        <source>读安装误差</source>
        <translation>Read mounting error</translation>
    </message>
    <message>
        <source>设安装误差</source>
        <translation>Set mounting error</translation>
    </message>
    <message>
        <source>航向校正</source>
        <translation>Correct heading</translation>
    </message>
    <message>
        <source>读设备信息</source>
        <translation>Read device information</translation>
    </message>
    <message>
        <source>读 IMU 标定</source>
        <translation>Read IMU calibration</translation>
    </message>
    <message>
        <source>IMU 静态标定</source>
        <translation>IMU static calibration</translation>
    </message>
    <message>
        <source>复位 IMU 标定</source>
        <translation>Reset IMU calibration</translation>
    </message>
    <message>
        <source>Z 轴漂移触发</source>
        <translation>Trigger Z-axis drift</translation>
    </message>
    <message>
        <source>设 Z 轴漂移</source>
        <translation>Set Z-axis drift</translation>
    </message>
    <message>
        <source>打开调试输出</source>
        <translation>Start debug output</translation>
    </message>
    <message>
        <source>关闭调试输出</source>
        <translation>Stop debug output</translation>
    </message>
    <message>
        <source>设设备信息</source>
        <translation>Set device information</translation>
    </message>
    <message>
        <source>已发送：%1</source>
        <translation>Sent: %1</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>gcs::ConsoleLog</name>
    <message>
        <source>发送</source>
        <translation>Sent</translation>
    </message>
    <message>
        <source>接收</source>
        <translation>Received</translation>
    </message>
    <message>
        <source>未指定文件</source>
        <translation>No file given</translation>
    </message>
</context>
<context>
    <name>gcs::DiscoveryTexts</name>
    <message>
        <source>「%1 @ %2」通信数据与设备不匹配或未收到有效响应，请核对波特率、接线与纳管型号</source>
        <translation>&quot;%1 @ %2&quot;: the data does not match the device or no valid reply came; check the baud rate, the wiring and the managed model</translation>
    </message>
    <message>
        <source>串口「%1」不存在，请核对端口名或重新插好串口线</source>
        <translation>Serial port &quot;%1&quot; does not exist; check the port name or plug the serial cable in again</translation>
    </message>
    <message>
        <source>串口「%1」已被占用，无法检测设备，请关闭占用该串口的程序后重试</source>
        <translation>Serial port &quot;%1&quot; is in use, so no device can be detected; close the program that holds it and retry</translation>
    </message>
    <message>
        <source>未匹配到设备响应，请检查接线与电源</source>
        <translation>No device replied; check the wiring and the power</translation>
    </message>
    <message>
        <source>已匹配 %1 @ %2</source>
        <translation>Matched %1 @ %2</translation>
    </message>
</context>
<context>
    <name>gcs::ForwardEndpoint</name>
    <message>
        <source>“%1”不是“[IPv6 地址]:端口”</source>
        <translation>&quot;%1&quot; is not &quot;[IPv6 address]:port&quot;</translation>
    </message>
    <message>
        <source>IPv6 地址须写在方括号里：“[%1]:%2”</source>
        <translation>An IPv6 address goes in brackets: &quot;[%1]:%2&quot;</translation>
    </message>
    <message>
        <source>“%1”缺少地址，应为“地址:端口”</source>
        <translation>&quot;%1&quot; has no address; write &quot;address:port&quot;</translation>
    </message>
    <message>
        <source>端口“%1”无效，应为 1 到 65535</source>
        <translation>Port &quot;%1&quot; is not valid; use 1 to 65535</translation>
    </message>
</context>
<context>
    <name>gcs::Forwarder</name>
    <message>
        <source>UDP 转发：请填写目标地址</source>
        <translation>UDP forwarding: enter a target address</translation>
    </message>
    <message>
        <source>UDP 转发：端口须在 1 到 65535 之间</source>
        <translation>UDP forwarding: the port must be from 1 to 65535</translation>
    </message>
    <message>
        <source>NMEA 转发：请填写监听地址</source>
        <translation>NMEA forwarding: enter an address to listen on</translation>
    </message>
    <message>
        <source>NMEA 转发：端口须在 1 到 65535 之间</source>
        <translation>NMEA forwarding: the port must be from 1 to 65535</translation>
    </message>
    <message>
        <source>NMEA 转发：频率须在 0.1 到 100 Hz 之间</source>
        <translation>NMEA forwarding: the rate must be from 0.1 to 100 Hz</translation>
    </message>
    <message>
        <source>未开启</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>正在解析 %1…</source>
        <translation>Resolving %1…</translation>
    </message>
    <message>
        <source>发送到 %1:%2</source>
        <translation>Sending to %1:%2</translation>
    </message>
    <message numerus="yes">
        <source>监听 %1:%2 · %n 个客户端</source>
        <translation>
            <numerusform>Listening on %1:%2 · %n client</numerusform>
            <numerusform>Listening on %1:%2 · %n clients</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>gcs::InsBridge</name>
    <message>
        <source>故障</source>
        <translation>Fault</translation>
    </message>
    <message>
        <source>无效</source>
        <translation>Invalid</translation>
    </message>
    <message>
        <source>定位</source>
        <translation>Fix</translation>
    </message>
    <message>
        <source>定位定向</source>
        <translation>Fix + heading</translation>
    </message>
    <message>
        <source>对准</source>
        <translation>Aligning</translation>
    </message>
    <message>
        <source>校准</source>
        <translation>Calibrating</translation>
    </message>
    <message>
        <source>纯惯性导航</source>
        <translation>Inertial only</translation>
    </message>
    <message>
        <source>组合导航</source>
        <translation>Integrated navigation</translation>
    </message>
    <message>
        <source>等待导航数据…</source>
        <translation>Waiting for navigation data…</translation>
    </message>
    <message>
        <source>已发现 AA55 帧头，正在同步校验…若长时间无数据请检查输出格式是否与 IMU/AHRS/SINS 页一致。</source>
        <translation>AA55 frame headers found, checking sync… If no data comes for long, check that the output format matches the IMU/AHRS/SINS page.</translation>
    </message>
    <message>
        <source>已收 %1 KB，未发现 AA55 帧头，请核对纳管串口波特率（常用 115200）。</source>
        <translation>%1 KB received but no AA55 frame header; check the managed serial port&apos;s baud rate (usually 115200).</translation>
    </message>
</context>
<context>
    <name>gcs::KeptCopy</name>
    <message>
        <source>无法替换旧的副本 %1</source>
        <translation>Cannot replace the old copy %1</translation>
    </message>
</context>
<context>
    <name>gcs::KmlExporter</name>
    <message>
        <source>记录中没有带位置的导航数据（需要 sinsbin / sinsasc 且已定位），无法导出 KML</source>
        <translation>The recording holds no navigation data with a position (sinsbin / sinsasc with a fix are needed); cannot export KML</translation>
    </message>
</context>
<context>
    <name>gcs::ManagedDevices</name>
    <message>
        <source>网口（未配置）</source>
        <translation>Network (not configured)</translation>
    </message>
</context>
<context>
    <name>gcs::NmeaServer</name>
    <message>
        <source>NMEA 转发：无法解析地址 %1（%2）</source>
        <translation>NMEA forwarding: cannot resolve %1 (%2)</translation>
    </message>
    <message>
        <source>NMEA 转发：端口 %1 已被占用（%2），请换一个端口</source>
        <translation>NMEA forwarding: port %1 is in use (%2); choose another port</translation>
    </message>
    <message>
        <source>NMEA 转发：%1 不是本机的地址，无法在其上监听</source>
        <translation>NMEA forwarding: %1 is not an address of this computer; cannot listen on it</translation>
    </message>
    <message>
        <source>NMEA 转发：无权监听 %1</source>
        <translation>NMEA forwarding: no permission to listen on %1</translation>
    </message>
    <message>
        <source>NMEA 转发：无法监听 %1（%2）</source>
        <translation>NMEA forwarding: cannot listen on %1 (%2)</translation>
    </message>
</context>
<context>
    <name>gcs::NoiseAnalysis</name>
    <message numerus="yes">
        <source>丢失 %n 帧</source>
        <translation>
            <numerusform>%n frame lost</numerusform>
            <numerusform>%n frames lost</numerusform>
        </translation>
    </message>
    <message>
        <source>第 %1 行之前 %2 s 没有数据</source>
        <translation>no data for %2 s before line %1</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>%1 是原始数据文件，没有时间戳，无法得出采样率；请给出采样率</source>
        <translation>%1 is a raw capture without time stamps, so the sampling rate cannot be found; give the sampling rate</translation>
    </message>
    <message>
        <source>噪声分析已取消</source>
        <translation>Noise analysis cancelled</translation>
    </message>
    <message>
        <source>%1 中只有 %2 个惯性数据，至少需要 %3 个才能分析噪声</source>
        <translation>%1 holds only %2 inertial samples; the noise analysis needs at least %3</translation>
    </message>
    <message>
        <source>无法从 %1 的时间戳得出采样率；请给出采样率</source>
        <translation>Cannot find the sampling rate from the time stamps of %1; give the sampling rate</translation>
    </message>
</context>
<context>
    <name>gcs::NoiseAnalysisTask</name>
    <message>
        <source>陀螺 X</source>
        <translation>Gyro X</translation>
    </message>
    <message>
        <source>陀螺 Y</source>
        <translation>Gyro Y</translation>
    </message>
    <message>
        <source>陀螺 Z</source>
        <translation>Gyro Z</translation>
    </message>
    <message>
        <source>加计 X</source>
        <translation>Accel X</translation>
    </message>
    <message>
        <source>加计 Y</source>
        <translation>Accel Y</translation>
    </message>
    <message>
        <source>加计 Z</source>
        <translation>Accel Z</translation>
    </message>
    <message>
        <source>请先选择要分析的记录文件</source>
        <translation>Choose a recording to analyse first</translation>
    </message>
    <message>
        <source>噪声分析完成：%1 个采样，%2 Hz</source>
        <translation>Noise analysis done: %1 samples, %2 Hz</translation>
    </message>
    <message>
        <source>还没有可导出的噪声分析结果</source>
        <translation>No noise analysis result to export yet</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>已导出噪声分析到 %1</source>
        <translation>Noise analysis exported to %1</translation>
    </message>
</context>
<context>
    <name>gcs::NoiseResult</name>
    <message>
        <source>文件：%1</source>
        <translation>file: %1</translation>
    </message>
    <message>
        <source>采样率：%1 Hz（给定）</source>
        <translation>rate: %1 Hz (given)</translation>
    </message>
    <message>
        <source>采样率：%1 Hz（取自记录的时间）</source>
        <translation>rate: %1 Hz (from the log&apos;s times)</translation>
    </message>
    <message>
        <source>采样数：%1（%2 s）</source>
        <translation>samples: %1 (%2 s)</translation>
    </message>
    <message>
        <source>静止：是</source>
        <translation>at rest: yes</translation>
    </message>
    <message>
        <source>静止：否，%1</source>
        <translation>at rest: no: %1</translation>
    </message>
    <message>
        <source>连续：是</source>
        <translation>continuous: yes</translation>
    </message>
    <message>
        <source>连续：否，%1</source>
        <translation>continuous: no: %1</translation>
    </message>
    <message>
        <source>角度随机游走 (deg/sqrt(h))</source>
        <translation>angle random walk (deg/sqrt(h))</translation>
    </message>
    <message>
        <source>零偏不稳定性 (deg/h)</source>
        <translation>bias instability (deg/h)</translation>
    </message>
    <message>
        <source>速度随机游走 (m/s/sqrt(h))</source>
        <translation>velocity random walk (m/s/sqrt(h))</translation>
    </message>
    <message>
        <source>零偏不稳定性 (mg)</source>
        <translation>bias instability (mg)</translation>
    </message>
    <message>
        <source>%1：曲线在最长的 tau 处仍在下降，零偏不稳定性只是上界</source>
        <translation>%1: the curve still falls at the longest tau, so the bias instability is only an upper bound</translation>
    </message>
</context>
<context>
    <name>gcs::ProductRegistry</name>
    <message>
        <source>运行监视</source>
        <translation>Monitoring</translation>
    </message>
    <message>
        <source>记录分析</source>
        <translation>Recording analysis</translation>
    </message>
    <message>
        <source>参数与标定</source>
        <translation>Setup and calibration</translation>
    </message>
    <message>
        <source>调试与维护</source>
        <translation>Debug and maintenance</translation>
    </message>
    <message>
        <source>姿态仪表</source>
        <translation>Attitude Instruments</translation>
    </message>
    <message>
        <source>图表显示</source>
        <translation>Charts</translation>
    </message>
    <message>
        <source>轨迹</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>解析数据</source>
        <translation>Parsed Data</translation>
    </message>
    <message>
        <source>收发统计</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>噪声分析</source>
        <translation>Noise Analysis</translation>
    </message>
    <message>
        <source>用户配置</source>
        <translation>User Configuration</translation>
    </message>
    <message>
        <source>出厂配置</source>
        <translation>Factory Configuration</translation>
    </message>
    <message>
        <source>原始收发</source>
        <translation>Raw Data</translation>
    </message>
    <message>
        <source>数据记录</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>固件升级</source>
        <translation>Firmware Upgrade</translation>
    </message>
    <message>
        <source>AX-7300 组合导航系统</source>
        <translation>AX-7300 Integrated Navigation System</translation>
    </message>
    <message>
        <source>导航测姿</source>
        <translation>Navigation and attitude</translation>
    </message>
    <message>
        <source>惯导</source>
        <translation>INS</translation>
    </message>
    <message>
        <source>115200 升级模式烧写</source>
        <translation>Flashing in upgrade mode at 115200</translation>
    </message>
</context>
<context>
    <name>gcs::Recorder</name>
    <message>
        <source>记录文件写入失败：%1（%2），记录已停止（已记录 %3）</source>
        <translation>Writing the recording file failed: %1 (%2); recording stopped (recorded %3)</translation>
    </message>
    <message>
        <source>磁盘空间已满</source>
        <translation>Disk full</translation>
    </message>
    <message>
        <source>无法创建记录文件：%1（%2）</source>
        <translation>Cannot create the recording file: %1 (%2)</translation>
    </message>
    <message>
        <source>无法创建原始数据文件：%1（%2），本次记录不含串口原码</source>
        <translation>Cannot create the raw data file: %1 (%2); this recording holds no raw serial bytes</translation>
    </message>
    <message>
        <source>未选择记录目录</source>
        <translation>No recording folder chosen</translation>
    </message>
</context>
<context>
    <name>gcs::ReplayController</name>
    <message>
        <source>最快</source>
        <translation>Fastest</translation>
    </message>
    <message>
        <source>消息记录</source>
        <translation>Message log</translation>
    </message>
    <message>
        <source>原始数据</source>
        <translation>Raw data</translation>
    </message>
</context>
<context>
    <name>gcs::ReplaySource</name>
    <message>
        <source>无法打开文件 %1：%2</source>
        <translation>Cannot open file %1: %2</translation>
    </message>
    <message>
        <source>文件 %1 是空的，没有可回放的记录</source>
        <translation>File %1 is empty: nothing to replay</translation>
    </message>
    <message>
        <source>文件在打开后被截断或改动</source>
        <translation>the file was cut short or changed after it was opened</translation>
    </message>
    <message>
        <source>读取文件 %1 出错：%2</source>
        <translation>Error reading file %1: %2</translation>
    </message>
</context>
<context>
    <name>gcs::ReplayTransport</name>
    <message>
        <source>回放：%1</source>
        <translation>Replay: %1</translation>
    </message>
</context>
<context>
    <name>gcs::RestCheck</name>
    <message>
        <source>陀螺 %1 轴角速度变化 %2 °/s（静止时不超过 %3 °/s）</source>
        <translation>gyro %1 angular rate varies by %2 °/s (at most %3 °/s at rest)</translation>
    </message>
    <message>
        <source>陀螺 %1 轴持续转动 %2 °/s（静止时不超过 %3 °/s）</source>
        <translation>gyro %1 keeps turning at %2 °/s (at most %3 °/s at rest)</translation>
    </message>
    <message>
        <source>加计 %1 轴加速度变化 %2 mg（静止时不超过 %3 mg）</source>
        <translation>accelerometer %1 varies by %2 mg (at most %3 mg at rest)</translation>
    </message>
    <message>
        <source>俯仰</source>
        <translation>pitch</translation>
    </message>
    <message>
        <source>横滚</source>
        <translation>roll</translation>
    </message>
    <message>
        <source>航向</source>
        <translation>heading</translation>
    </message>
    <message>
        <source>%1角变化 %2°（静止时不超过 %3°）</source>
        <translation>%1 changed by %2° (at most %3° at rest)</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
</context>
<context>
    <name>gcs::SceneViewport</name>
    <message>
        <source>等待姿态数据</source>
        <translation>Waiting for attitude data</translation>
    </message>
</context>
<context>
    <name>gcs::SendInput</name>
    <message>
        <source>未知指令：%1</source>
        <translation>Unknown command: %1</translation>
    </message>
    <message>
        <source>发送内容为空</source>
        <translation>Nothing to send</translation>
    </message>
    <message>
        <source>已勾选 Hex 发送，但内容为 #vorn / $cmd 等文本指令。请取消「Hex 发送」后再发。</source>
        <translation>Hex send is checked, but the content is a text command such as #vorn / $cmd. Uncheck &quot;Hex send&quot; and send again.</translation>
    </message>
    <message>
        <source>Hex 发送仅允许 0-9、A-F 与空格。文本指令（如 #vorn,get com1*ff）请勿勾选 Hex 发送。</source>
        <translation>Hex send allows only 0-9, A-F and blanks. Leave Hex send unchecked for text commands (such as #vorn,get com1*ff).</translation>
    </message>
    <message>
        <source>Hex 字节须成对书写（每两个字符为一字节），当前长度不完整。</source>
        <translation>Hex bytes must be written in pairs (two characters per byte); the length is incomplete.</translation>
    </message>
    <message>
        <source>无法解析为有效的 Hex 数据。</source>
        <translation>Cannot read this as valid hex data.</translation>
    </message>
    <message>
        <source>内容像二进制 Hex（如 AA 55 …）。请勾选「Hex 发送」；#vorn 等文本指令则保持不勾选。</source>
        <translation>The content looks like binary hex (such as AA 55 …). Check &quot;Hex send&quot;; leave it unchecked for text commands such as #vorn.</translation>
    </message>
</context>
<context>
    <name>gcs::SessionManager</name>
    <message>
        <source>在线设备：%1</source>
        <translation>Devices online: %1</translation>
    </message>
    <message>
        <source>设备离线 / 未连接</source>
        <translation>Device offline / not connected</translation>
    </message>
</context>
<context>
    <name>gcs::Startup</name>
    <message>
        <source>TelvoMonitor 已在运行中。</source>
        <translation>TelvoMonitor is already running.</translation>
    </message>
    <message>
        <source>请勿重复打开多个实例；若需重新启动，请先关闭已有窗口。</source>
        <translation>Open only one instance; to start again, close the running window first.</translation>
    </message>
</context>
<context>
    <name>gcs::TextFile</name>
    <message>
        <source>未选择文件</source>
        <translation>No file chosen</translation>
    </message>
    <message>
        <source>无法打开文件：%1（%2）</source>
        <translation>Cannot open the file: %1 (%2)</translation>
    </message>
    <message>
        <source>文件过大：%1（超过 %2 MB）</source>
        <translation>File too large: %1 (over %2 MB)</translation>
    </message>
    <message>
        <source>无法读取文件：%1（%2）</source>
        <translation>Cannot read the file: %1 (%2)</translation>
    </message>
    <message>
        <source>未选择保存位置</source>
        <translation>No place to save chosen</translation>
    </message>
    <message>
        <source>无法写入文件：%1（%2）</source>
        <translation>Cannot write the file: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>gcs::TrackView</name>
    <message>
        <source>等待定位…</source>
        <translation>Waiting for a fix…</translation>
    </message>
    <message>
        <source>起点</source>
        <translation>Start</translation>
    </message>
</context>
<context>
    <name>gcs::UdpJsonSender</name>
    <message>
        <source>UDP 转发：无法解析地址 %1（%2）</source>
        <translation>UDP forwarding: cannot resolve %1 (%2)</translation>
    </message>
    <message>
        <source>UDP 转发：发送到 %1:%2 失败（%3）</source>
        <translation>UDP forwarding: sending to %1:%2 failed (%3)</translation>
    </message>
</context>
<context>
    <name>gcs::UpgradeFlow</name>
    <message>
        <source>已选择 %1，选好后再点复位并烧写</source>
        <translation>%1 selected; now click Reset and flash</translation>
    </message>
    <message>
        <source>设备连接已断开，传输中止</source>
        <translation>The device disconnected; transfer aborted</translation>
    </message>
    <message>
        <source>请先连接串口后再升级固件</source>
        <translation>Connect the serial port before upgrading the firmware</translation>
    </message>
    <message>
        <source>固件升级仅支持串口，且必须 115200 才能识别 C</source>
        <translation>Firmware upgrade works over a serial port only, and needs 115200 baud to recognise the &apos;C&apos;</translation>
    </message>
    <message>
        <source>请先选择固件文件</source>
        <translation>Choose a firmware file first</translation>
    </message>
    <message>
        <source>无法开始升级，请确认固件文件可读</source>
        <translation>Cannot start the upgrade; check that the firmware file can be read</translation>
    </message>
    <message>
        <source>固件升级仅支持串口</source>
        <translation>Firmware upgrade works over a serial port only</translation>
    </message>
    <message>
        <source>无法在 115200 重开串口</source>
        <translation>Cannot reopen the serial port at 115200</translation>
    </message>
    <message>
        <source>复位命令发送失败</source>
        <translation>Sending the reset command failed</translation>
    </message>
    <message>
        <source>已复位，115200 下 %1 秒内等待进入升级模式</source>
        <translation>Reset sent; waiting %1 s at 115200 for upgrade mode</translation>
    </message>
    <message>
        <source>已复位并在 115200 重开串口，%1 秒内等待进入升级模式</source>
        <translation>Reset sent and serial port reopened at 115200; waiting %1 s for upgrade mode</translation>
    </message>
    <message>
        <source>已在 115200 重开串口，请立即硬件复位，%1 秒内等待进入升级模式</source>
        <translation>Serial port reopened at 115200; reset the hardware now; waiting %1 s for upgrade mode</translation>
    </message>
    <message>
        <source>升级结束，但无法以 %1 重开串口，请重新连接设备</source>
        <translation>Upgrade finished, but the serial port cannot be reopened at %1; reconnect the device</translation>
    </message>
    <message>
        <source>选择固件</source>
        <translation>Choose firmware</translation>
    </message>
    <message>
        <source>烧录文件 (*.bin);;All (*.*)</source>
        <translation>Firmware files (*.bin);;All (*.*)</translation>
    </message>
</context>
<context>
    <name>gcs::YModem</name>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>等待设备进入升级模式</source>
        <translation>Waiting for the device to enter upgrade mode</translation>
    </message>
    <message>
        <source>已收 %1 字节，尚未进入升级模式</source>
        <translation>%1 bytes received, not in upgrade mode yet</translation>
    </message>
    <message>
        <source>传输超时</source>
        <translation>Transfer timed out</translation>
    </message>
    <message>
        <source>限时内未进入升级模式（串口共 %1 字节，无数据：请确认已复位且串口为 115200)</source>
        <translation>No upgrade mode within the time limit (%1 bytes on the serial port, no data: check that the device was reset and the port is at 115200)</translation>
    </message>
    <message>
        <source>限时内未进入升级模式（串口共 %1 字节，片段 %2)</source>
        <translation>No upgrade mode within the time limit (%1 bytes on the serial port, excerpt %2)</translation>
    </message>
    <message>
        <source>限时内未进入升级模式（串口共 %1 字节，片段 %2；有数据但未识别到升级握手，请核对波特率或复位时机)</source>
        <translation>No upgrade mode within the time limit (%1 bytes on the serial port, excerpt %2; data came but no upgrade handshake: check the baud rate or when the device was reset)</translation>
    </message>
    <message>
        <source>写入接收文件失败</source>
        <translation>Writing the received file failed</translation>
    </message>
    <message>
        <source>无法创建接收文件</source>
        <translation>Cannot create the file to receive into</translation>
    </message>
    <message>
        <source>已发送 C，等待文件头</source>
        <translation>&apos;C&apos; sent, waiting for the file header</translation>
    </message>
    <message>
        <source>对端取消</source>
        <translation>Cancelled by the other end</translation>
    </message>
    <message>
        <source>收到 EOT，等待确认</source>
        <translation>EOT received, waiting for confirmation</translation>
    </message>
    <message>
        <source>等待结束空包</source>
        <translation>Waiting for the closing empty packet</translation>
    </message>
    <message>
        <source>文件接收成功</source>
        <translation>File received</translation>
    </message>
    <message>
        <source>接收 %1</source>
        <translation>Receiving %1</translation>
    </message>
    <message>
        <source>已收 %1 字节</source>
        <translation>%1 bytes received</translation>
    </message>
    <message>
        <source>无法打开固件文件</source>
        <translation>Cannot open the firmware file</translation>
    </message>
    <message>
        <source>准备等待升级模式</source>
        <translation>Preparing to wait for upgrade mode</translation>
    </message>
    <message>
        <source>设备取消</source>
        <translation>Cancelled by the device</translation>
    </message>
    <message>
        <source>设备已进入升级模式，发送文件头</source>
        <translation>Device in upgrade mode, sending the file header</translation>
    </message>
    <message>
        <source>发送初始包失败</source>
        <translation>Sending the first packet failed</translation>
    </message>
    <message>
        <source>文件头已发送，等待设备确认</source>
        <translation>File header sent, waiting for the device to confirm</translation>
    </message>
    <message>
        <source>读取固件文件失败</source>
        <translation>Reading the firmware file failed</translation>
    </message>
    <message>
        <source>固件文件在发送中被改动（开始时 %1 字节，现在 %2 字节）</source>
        <translation>The firmware file changed while it was sent (%1 bytes at the start, %2 bytes now)</translation>
    </message>
    <message>
        <source>发送 EOT</source>
        <translation>Sending EOT</translation>
    </message>
    <message>
        <source>发送数据包 %1</source>
        <translation>Sending packet %1</translation>
    </message>
    <message>
        <source>文件发送成功</source>
        <translation>File sent</translation>
    </message>
</context>
<context>
    <name>telvo-cli</name>
    <message>
        <source>需要 PORT 和 FILE</source>
        <translation>expected PORT and FILE</translation>
    </message>
    <message>
        <source>无法打开 %1：%2</source>
        <translation>cannot open %1: %2</translation>
    </message>
    <message>
        <source>静止时所录数据的 Allan 方差与噪声指标</source>
        <translation>Allan deviation and noise figures of a recording made at rest</translation>
    </message>
    <message>
        <source>用法：telvo-cli adev [--rate HZ] [--json] CAPTURE

读取 CAPTURE（一次记录的消息记录或原始数据文件）中每条记录的陀螺与加计值，
对六个通道分别计算重叠 Allan 方差，簇时间取 1、2、4……个采样，每十倍程另取约
十个，直到容不下十个簇为止；再从曲线读出噪声指标：角度随机游走（deg/sqrt(h)）
与速度随机游走（m/s/sqrt(h)）取自 tau = 1 s 处过白噪声区的 -1/2 斜率直线，零偏
不稳定性（deg/h、mg）为曲线最小值除以 0.664。陀螺曲线单位为 deg/h，加计曲线
单位为 mg。同时说明设备是否静止（运动中录得的数据，其指标没有意义），以及记录
是否连续（丢帧或设备被拔出同样会使曲线失真）。标有“≤”的零偏不稳定性只是上界：
曲线在最长的 tau 处仍在下降。

选项：
  --rate HZ  采样率；默认从消息记录的主机时间得出（原始数据文件没有时间，须给出
             此选项）
  --json     改为输出一个 JSON 对象：rate_hz、samples、tau (s)、adev {gx、gy、gz
             单位 deg/h，ax、ay、az 单位 mg，每个 tau 一个值}、arw_deg_sqrt_h 与
             bias_instability_deg_h {gx, gy, gz}、vrw_m_s_sqrt_h 与
             accel_bias_instability_mg {ax, ay, az}、bias_instability_tau_s、
             at_rest、rest_reason，文件中断时另有 warning，然后是
             bias_instability_upper_bound {全部六个，上界为 true}、continuous 与
             gap_reason；无法得出的指标为 null
  --help     显示本说明

退出状态：0 得出结果；1 文件无法读取或分析（记录太少、没有采样率）；2 参数错误；
3 文件在故障处中断（结果只含故障之前的部分）。</source>
        <translation>usage: telvo-cli adev [--rate HZ] [--json] CAPTURE

Reads the gyro and accelerometer values of every record in CAPTURE (a recording&apos;s
message log or a raw capture), computes the overlapping Allan deviation of each of
the six channels at cluster times of 1, 2, 4, ... samples and about ten more per
decade, as long as ten clusters fit, and reads the noise figures off the curves:
angle random walk (deg/sqrt(h)) and velocity random walk (m/s/sqrt(h)) from the
line of slope -1/2 through the white-noise region at tau = 1 s, bias instability
(deg/h, mg) as the curve&apos;s minimum over 0.664. Gyro curves are in deg/h,
accelerometer curves in mg. It also says whether the unit was at rest: the
figures of a recording in motion mean nothing; and whether the recording is one
continuous stretch: lost frames or an unplugged unit skew the curves likewise.
A bias instability marked &quot;≤&quot; is only an upper bound: the curve still falls at
the longest tau.

options:
  --rate HZ  the sampling rate; by default it is read from a message log&apos;s host
             times (a raw capture has none, so it needs this option)
  --json     one JSON object instead: rate_hz, samples, tau (s), adev {gx, gy, gz
             in deg/h, ax, ay, az in mg, one value per tau}, arw_deg_sqrt_h and
             bias_instability_deg_h {gx, gy, gz}, vrw_m_s_sqrt_h and
             accel_bias_instability_mg {ax, ay, az}, bias_instability_tau_s,
             at_rest, rest_reason, and warning when the file broke off, then
             bias_instability_upper_bound {all six, true for an upper bound},
             continuous and gap_reason; a figure that cannot be read is null
  --help     this text

Exit status: 0 on a result, 1 when the file cannot be read or analysed (too few
records, no rate), 2 on bad arguments, 3 when the file broke off at a fault (the
result covers what came before it).</translation>
    </message>
    <message>
        <source>--rate 必须是大于 0 的数</source>
        <translation>--rate must be a number above 0</translation>
    </message>
    <message>
        <source>设备不是静止的：%1</source>
        <translation>the unit was not at rest: %1</translation>
    </message>
    <message>
        <source>记录有间断，已按连续数据分析：%1</source>
        <translation>the recording has gaps, analysed as if continuous: %1</translation>
    </message>
    <message>
        <source>解码 INS 记录文件，输出其中的消息或导航记录</source>
        <translation>decode an INS capture and print its messages or records</translation>
    </message>
    <message>
        <source>用法：telvo-cli decode [--chunk N] [--fields] FILE

用程序的解码器读取 FILE：INS 设备所发字节的原始数据文件（如一次记录的“.bin”
文件），每次送入 N 字节，如同数据以这个大小分块从链路到达；或一次记录的消息记录
（其“.txt”文件），逐行解码。

输出：解码器每接受一条消息输出一行，格式与记录器的消息记录相同（不含时间戳）：
“#vorn”语句输出其文本，其他消息（二进制帧）输出为以单个空格分隔的小写十六进制
字节对。

选项：
  --chunk N   每次交给解码器的字节数，N &gt;= 1（默认 4096）
  --fields    改为每条解码出的导航记录输出一行：其遥测快照字段，以 key=value
              形式按键名升序排列，以单个空格分隔
  --help      显示本说明

最后在标准错误上输出：bytes=&lt;收到的字节数&gt; packets=&lt;解码的消息数&gt;
errors=&lt;被拒的文本行数&gt;。

退出状态：0 文件已解码；1 FILE 无法读取；2 参数错误；3 读取在故障处停止（消息
记录中损坏的一行、不是记录文件的文件；消息会说明是哪种），此前的内容已输出。</source>
        <translation>usage: telvo-cli decode [--chunk N] [--fields] FILE

Reads FILE through the program&apos;s decoder: a raw capture of the bytes an INS unit
sent (such as the &quot;.bin&quot; file of a recording), fed N bytes at a time as if they
had arrived over the link in chunks of that size, or a recording&apos;s message log
(its &quot;.txt&quot; file), decoded line by line.

Output, one line per message the decoder accepts, in the form the recorder&apos;s
message log uses (without the time stamp): a &quot;#vorn&quot; sentence as its text, any
other message (a binary frame) as lower-case hexadecimal pairs separated by
single blanks.

options:
  --chunk N   bytes handed to the decoder per call, N &gt;= 1 (default 4096)
  --fields    print one line per decoded navigation record instead: its telemetry
              snapshot fields as key=value pairs in ascending key order,
              separated by single blanks
  --help      this text

Last, on standard error: bytes=&lt;bytes received&gt; packets=&lt;messages decoded&gt;
errors=&lt;text lines rejected&gt;.

Exit status: 0 when the file was decoded, 1 when FILE cannot be read, 2 on bad
arguments, 3 when the reading stopped at a fault (a damaged log line, a file that
is no capture; the message says which) after printing what came before it.</translation>
    </message>
    <message>
        <source>--chunk 需要不小于 1 的整数，而不是「%1」</source>
        <translation>--chunk needs a whole number of at least 1, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>未给出 FILE</source>
        <translation>no FILE given</translation>
    </message>
    <message>
        <source>只能给出一个 FILE</source>
        <translation>one FILE only</translation>
    </message>
    <message>
        <source>无法读取 %1：%2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>查找设备应答的串口与波特率</source>
        <translation>find the port and baud a unit answers on</translation>
    </message>
    <message>
        <source>用法：telvo-cli detect [--port TEXT] [--baud N] [PORT...]

先以 N 波特（默认 115200）、再以其他波特率试 TEXT 所指的串口（取其第一个词；
窗口的列表显示为“名称  描述”），然后按列表顺序以各波特率试其余每个 PORT（默认：
本机的串口）。波特率取程序的列表，加上其设置中您自己的波特率。对第一个有应答的
组合输出 PORT:BAUD 并以 0 退出，否则以 1 退出。Ctrl-C 立即停止（退出码 130）。</source>
        <translation>usage: telvo-cli detect [--port TEXT] [--baud N] [PORT...]

Tries the port named by TEXT (its first word; the window&apos;s lists show
&quot;name  description&quot;) first, at N baud (default 115200) and then at the
other rates, then every other PORT (default: the computer&apos;s serial ports)
at the rates in list order. The rates are the program&apos;s list, with your
own rates from its settings. Prints PORT:BAUD and exits 0 for the first
pair that answers, or exits 1. Ctrl-C stops it at once (exit 130).</translation>
    </message>
    <message>
        <source>--port 需要一个串口</source>
        <translation>--port needs a port</translation>
    </message>
    <message>
        <source>--baud 需要一个正数</source>
        <translation>--baud needs a positive number</translation>
    </message>
    <message>
        <source>已中断</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>将记录文件的导航记录导出为 CSV，或将其轨迹导出为 KML</source>
        <translation>export a capture&apos;s navigation records as CSV or its track as KML</translation>
    </message>
    <message>
        <source>用法：telvo-cli export [--format csv|kml] [--out FILE] CAPTURE

用程序的解码器读取 CAPTURE（原始数据文件，如一次记录的“.bin”，或其消息记录
“.txt”），然后写出：
  csv   每条导航记录一行：带字节序标记的 UTF-8，一行表头，按 RFC 4180 加引号；
        各列为 time（消息记录的主机时间；原始数据文件中为按设备时间标签计、自
        第一条记录起的秒数，没有时间标签的格式为空）、format、count、roll、
        pitch、yaw、gx、gy、gz、ax、ay、az、temp、lat、lon、alt、ve、vn、vu、
        gnss_heading、utc、gnss_status、device_status；记录格式不带的值留空
        （IMU：没有姿态、没有位置；只有 imubin 与 ahrsasc 有 count）。设备按
        比例发送的值以其比例的小数位写出（纬度与经度的度数为 7 位）。这是默认
        格式。
  kml   带位置的记录的 GNSS 轨迹，写成 KML 2.2 LineString，起点与终点各有一个
        地标；过长的轨迹抽稀到最多 20000 个点，保留第一个与最后一个点。

选项：
  --format F  csv 或 kml（默认 csv）
  --out FILE  写入 FILE，导出完成后它才出现（默认：标准输出）；不能是 CAPTURE
              本身
  --help      显示本说明

退出状态：0 全部导出；1 CAPTURE 无法读取、不是记录文件、没有位置（kml）、FILE
就是 CAPTURE 本身，或输出无法写入（附系统给出的原因）；2 参数错误；3 记录文件
中断（消息记录中损坏的一行）：故障之前的记录已导出，消息会说明位置。</source>
        <translation>usage: telvo-cli export [--format csv|kml] [--out FILE] CAPTURE

Reads CAPTURE (a raw capture such as a recording&apos;s &quot;.bin&quot;, or its message log
&quot;.txt&quot;) through the program&apos;s decoder and writes:
  csv   one row per navigation record: UTF-8 with a byte-order mark, a header
        row, RFC 4180 quoting; the columns time (the log&apos;s host time; in a raw
        capture the seconds since the first record by the unit&apos;s time tag, empty
        for a format without one), format, count, roll, pitch, yaw, gx, gy, gz,
        ax, ay, az, temp, lat, lon, alt, ve, vn, vu, gnss_heading, utc,
        gnss_status, device_status; a cell is empty where the record&apos;s format
        does not carry the value (IMU: no attitude, no position; no count but in
        imubin and ahrsasc). A value the unit sends scaled is written with the
        decimals of its scale (7 for degrees of latitude and longitude). This is
        the default.
  kml   the GNSS track of the records that carry a position, as a KML 2.2
        LineString with placemarks at its start and end; long tracks are thinned
        to at most 20000 points, keeping the first and the last.

options:
  --format F  csv or kml (default csv)
  --out FILE  write FILE, which appears only once the export is complete
              (default: standard output); never CAPTURE itself
  --help      this text

Exit status: 0 when everything was exported; 1 when CAPTURE cannot be read, is no
capture, holds no position (kml), FILE is CAPTURE itself, or the output cannot be
written (with the system&apos;s reason); 2 on bad arguments; 3 when the capture breaks
off (a damaged log line): the records before the fault are exported and the
message says where.</translation>
    </message>
    <message>
        <source>--format 只能是 csv 或 kml，而不是「%1」</source>
        <translation>--format is csv or kml, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--out 需要一个 FILE</source>
        <translation>--out needs a FILE</translation>
    </message>
    <message>
        <source>无法写入标准输出</source>
        <translation>cannot write to standard output</translation>
    </message>
    <message>
        <source>无法写入标准输出：%1</source>
        <translation>cannot write to standard output: %1</translation>
    </message>
    <message>
        <source>%1 条记录，%2 行已写入 %3</source>
        <translation>%1 records, %2 rows written to %3</translation>
    </message>
    <message>
        <source>%1 条记录，%2 个轨迹点已写入 %3</source>
        <translation>%1 records, %2 track points written to %3</translation>
    </message>
    <message>
        <source>检查设备是否在某个串口的某一波特率上应答</source>
        <translation>check that a unit answers on a serial port at one baud</translation>
    </message>
    <message>
        <source>用法：telvo-cli probe PORT [--baud N]

以 N 波特（默认 115200）打开 PORT，发送识别指令，并像程序在连接前那样检查回复中
有没有二进制帧或文本语句。设备应答时退出码为 0，未应答时为 1（并说明原因：没有
这个串口，或没有应答），参数错误时为 2。</source>
        <translation>usage: telvo-cli probe PORT [--baud N]

Opens PORT at N baud (default 115200), sends the identification commands
and checks the reply for a binary frame or a text sentence, as the
program does before it connects. Exit 0 when the unit answered, 1 when
not (with the reason: no such port, or no answer), 2 for bad arguments.</translation>
    </message>
    <message>
        <source>只能给出一个串口</source>
        <translation>one port only</translation>
    </message>
    <message>
        <source>未给出串口</source>
        <translation>no port given</translation>
    </message>
    <message>
        <source>%1 @ %2：设备已应答</source>
        <translation>%1 @ %2: the unit answered</translation>
    </message>
    <message>
        <source>像窗口的数据记录页那样，将设备数据记录到文件夹</source>
        <translation>record a unit&apos;s data to a folder, as the window&apos;s record page does</translation>
    </message>
    <message>
        <source>用法：telvo-cli record PORT [--baud N] --dir DIR [--seconds S]

像窗口那样以 N 波特（默认 115200）连接 PORT 上的设备，先检查那里有设备应答，然后
记录 S 秒（默认 10；Ctrl-C 可提前停止）到 DIR：一个文本文件，每条消息一行（主机
时间，然后是“#vorn”语句或以十六进制字节对表示的帧），以及同名的“.bin”文件存放
原始字节，文件以数据格式命名（“sinsbin_20240309_070503.txt”）。开始记录时输出
这两个路径。
设备离开时（被拔出、断电）记录继续：命令在标准错误上说明，等待串口回来，像窗口
那样重新连接，并继续写入同样的两个文件。
命令使用自己的设置：不改动窗口的设备列表。

某个文件不再接受数据（磁盘已满）时，记录立即结束；命令说明记录到了哪里，以及两个
文件保存了什么。

退出状态：0 完成一次记录并在设备连接时关闭；1 PORT 上没有设备应答、串口打不开或
不存在、DIR 无法写入、某个文件不再接受数据，或设备离开后到结束时仍未回来；2 参数
错误。</source>
        <translation>usage: telvo-cli record PORT [--baud N] --dir DIR [--seconds S]

Connects to the unit on PORT at N baud (default 115200) the way the window does,
with its check that a unit answers there first, and records for S seconds
(default 10; Ctrl-C stops earlier) into DIR: a text file with one line per
message (host time, then the &quot;#vorn&quot; sentence or the frame as hex pairs) and
the raw bytes in a &quot;.bin&quot; file of the same name, named after the data format
(&quot;sinsbin_20240309_070503.txt&quot;). Prints the two paths when recording starts.
When the unit goes away (unplugged, powered off) the recording goes on: the
command says so on standard error, waits for the port to come back, connects
again as the window does and keeps writing to the same two files.
The command keeps settings of its own: the window&apos;s device list is not touched.

A file that stops taking data (a full disk) ends the recording at once; the
command says how far it got and what the two files kept.

Exit status: 0 when a recording was made and closed with the unit connected; 1
when no unit answers on PORT, the port does not open or is not there, DIR cannot
be written, a file stopped taking data, or the unit went away and had not come
back by the end; 2 on bad arguments.</translation>
    </message>
    <message>
        <source>%1（%2 字节）</source>
        <translation>%1 (%2 bytes)</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <source>--seconds 需要一个正数</source>
        <translation>--seconds needs a positive number</translation>
    </message>
    <message>
        <source>只能给出一个 PORT</source>
        <translation>one PORT only</translation>
    </message>
    <message>
        <source>未给出 PORT</source>
        <translation>no PORT given</translation>
    </message>
    <message>
        <source>未给出 --dir</source>
        <translation>no --dir given</translation>
    </message>
    <message>
        <source>%1 不是文件夹</source>
        <translation>%1 is not a folder</translation>
    </message>
    <message>
        <source>无法写入 %1</source>
        <translation>cannot write to %1</translation>
    </message>
    <message>
        <source>无法为设置创建临时文件夹：%1</source>
        <translation>no temporary folder for the settings: %1</translation>
    </message>
    <message>
        <source>连接时被中断</source>
        <translation>interrupted while connecting</translation>
    </message>
    <message>
        <source>%1 上以 %2 波特没有设备应答</source>
        <translation>no unit answered on %1 at %2 baud</translation>
    </message>
    <message>
        <source>开始记录前被中断</source>
        <translation>interrupted before recording</translation>
    </message>
    <message>
        <source>设备在 %1 s 时离开，正在等待其回来</source>
        <translation>the unit went away after %1 s; waiting for it to come back</translation>
    </message>
    <message>
        <source>设备在 %1 s 时回来，记录继续</source>
        <translation>the unit is back after %1 s; recording goes on</translation>
    </message>
    <message>
        <source>写入失败，记录在 %1 s 时停止；已保存：%2</source>
        <translation>write failed, recording stopped at %1 s; kept: %2</translation>
    </message>
    <message>
        <source>已记录 %1 s，%2 字节（已中断）</source>
        <translation>recorded %1 s, %2 bytes (interrupted)</translation>
    </message>
    <message>
        <source>已记录 %1 s，%2 字节</source>
        <translation>recorded %1 s, %2 bytes</translation>
    </message>
    <message>
        <source>设备离开后没有回来</source>
        <translation>the unit went away and did not come back</translation>
    </message>
    <message>
        <source>按记录时的节奏将一次记录回放到串口</source>
        <translation>play a recording back onto a serial port at its recorded pace</translation>
    </message>
    <message>
        <source>用法：telvo-cli replay CAPTURE --to PORT [--baud N] [--speed X] [--loop]
                      [--rate HZ]

像窗口的回放那样，以 N 波特（默认 115200）按记录时的节奏把一次记录写到 PORT，
以便用录下的行驶数据测试其他软件。原始数据文件（记录器的“.bin”，或任何收到的
字节的文件）逐字节发出，消息之间的杂散字节也照发；消息记录（记录器的“.txt”）
按其记录的消息发出，每条语句带其 CR LF，每个帧发出其字节。节奏取自消息记录的
主机时间或设备的时间标签；没有时间标签的记录按每秒 HZ 条的间隔发出（默认每秒
200 条）。
--speed X 以 X 倍速播放（0.01 到 1000），或用“max”以线路能接受的最快速度播放；
线路跟不上节奏时回放会等待，而不会丢弃数据。--loop 到结尾后从头再来，直到被
中断。

退出状态：0 记录已回放到结尾；1 记录或串口无法使用，或记录已损坏（损坏之前的
部分已回放）；2 参数错误；130 被中断（Ctrl-C）。</source>
        <translation>usage: telvo-cli replay CAPTURE --to PORT [--baud N] [--speed X] [--loop]
                        [--rate HZ]

Writes a recording to PORT at N baud (default 115200) at the pace it was
recorded, the way the window&apos;s replay plays it, so that other software can be
tested against a recorded drive. A raw capture (the recorder&apos;s &quot;.bin&quot;, or any
file of received bytes) goes out byte for byte, junk between messages included;
a message log (the recorder&apos;s &quot;.txt&quot;) goes out as the messages it records, each
sentence with its CR LF and each frame as its bytes. The pace comes from the
log&apos;s host times or from the units&apos; time tags; records without a tag are HZ
apart (default 200 per second).
--speed X plays X times as fast (0.01 to 1000), or &quot;max&quot; as fast as the line
takes it; a line too slow for the pace holds the replay back instead of
dropping data. --loop starts over at the end until interrupted.

Exit status: 0 when the recording was played to its end; 1 when the recording or
the port cannot be used, or the recording is damaged (what came before the
damage has been played); 2 on bad arguments; 130 when interrupted (Ctrl-C).</translation>
    </message>
    <message>
        <source>--to 需要一个 PORT</source>
        <translation>--to needs a PORT</translation>
    </message>
    <message>
        <source>--speed 需要 0.01 到 1000 之间的数，或 max</source>
        <translation>--speed needs 0.01 to 1000, or max</translation>
    </message>
    <message>
        <source>--rate 需要 1 到 10000 之间的数</source>
        <translation>--rate needs 1 to 10000</translation>
    </message>
    <message>
        <source>只能给出一个 CAPTURE</source>
        <translation>one CAPTURE only</translation>
    </message>
    <message>
        <source>未给出 CAPTURE</source>
        <translation>no CAPTURE given</translation>
    </message>
    <message>
        <source>未给出 --to PORT</source>
        <translation>no --to PORT given</translation>
    </message>
    <message>
        <source>文件不存在：%1</source>
        <translation>no such file: %1</translation>
    </message>
    <message>
        <source>无法打开串口「%1」</source>
        <translation>cannot open serial port %1</translation>
    </message>
    <message>
        <source>正在将 %1 回放到 %2，%3 波特</source>
        <translation>%1 onto %2 at %3 baud</translation>
    </message>
    <message>
        <source>%2 s 内发出 %1 字节</source>
        <translation>%1 bytes in %2 s</translation>
    </message>
    <message>
        <source>写入 %1 失败</source>
        <translation>writing to %1 failed</translation>
    </message>
    <message>
        <source>扫描各串口与波特率查找设备（最多三台）</source>
        <translation>sweep serial ports and rates for units (at most three)</translation>
    </message>
    <message>
        <source>用法：telvo-cli search [PORT...]

以程序列表中的每个波特率（加上其设置中您自己的波特率）询问每个 PORT（默认：本机
的串口），三个串口应答后停止。每个应答的串口输出一行“PORT BAUD PRODUCT”；至少
找到一个时以 0 退出，否则以 1 退出。Ctrl-C 立即停止（退出码 130），并先输出
已找到的串口。</source>
        <translation>usage: telvo-cli search [PORT...]

Asks every PORT (default: the computer&apos;s serial ports) at every rate of
the program&apos;s list, with your own rates from its settings, and stops
after three ports answered. Prints one line &quot;PORT BAUD PRODUCT&quot; per
answering port; exits 0 with at least one, else 1. Ctrl-C stops it at
once (exit 130) after printing the ports found so far.</translation>
    </message>
    <message>
        <source>向设备发送指令表中的指令或原始文本，并输出其回复</source>
        <translation>send a catalog command or raw text to a unit and print its replies</translation>
    </message>
    <message>
        <source>用法：telvo-cli send PORT [--baud N] [--wait MS] [--hex]
                    (--raw TEXT | COMMAND_ID [ARG...])

以 N 波特（默认 115200；不探测）将 PORT 作为串口链路打开，然后发送指令表中的指令
COMMAND_ID 及其参数，与窗口各页发送的相同（“get_com1”即指令表中的
“vorn.get_com1”；带点号的 id 原样使用）；或者发送 TEXT，与原始收发页发送的
相同：按同样的规则检查，末尾加 CR LF 发送，或者用 --hex 时发送其十六进制数字
所表示的字节。
指令取自程序旁的“vorn.yaml”配置文件。

先输出“&gt; ”与发送的内容（不含行尾；--hex 时为十六进制字节对），然后在 MS 毫秒内
（默认 1000）对收到的每条配置回复输出一行：回复名称（com1、factory、gnm、axis、
softver、gnss、extrapolate time），以及从中读出的值，以 key=value 形式按键名
升序排列，例如
  com1 baudRate=115200 packetFormat=sinsbin packetFre=200 serialType=422
COMMAND_ID 之后的一切都是参数，以“-”开头的也是。

退出状态：0 已发送；1 串口打不开、指令未知或文本被拒（附程序自己的消息）；2 参数
错误。</source>
        <translation>usage: telvo-cli send PORT [--baud N] [--wait MS] [--hex]
                      (--raw TEXT | COMMAND_ID [ARG...])

Opens PORT as a serial link at N baud (default 115200; no probe) and sends either
the catalog command COMMAND_ID with its arguments, as the window&apos;s pages send it
(&quot;get_com1&quot; is the catalog&apos;s &quot;vorn.get_com1&quot;; an id with a point is used as it
stands), or TEXT as the raw console sends it: checked by the same rules and sent
with CR LF appended, or with --hex as the bytes its hexadecimal digits give.
The commands come from the &quot;vorn.yaml&quot; profiles beside the program.

Prints &quot;&gt; &quot; and what was sent (without its line end; as hex pairs with --hex), then
for MS milliseconds (default 1000) one line per configuration reply that comes
back: the reply name (com1, factory, gnm, axis, softver, gnss, extrapolate time)
and the values read from it as key=value pairs in ascending key order, e.g.
  com1 baudRate=115200 packetFormat=sinsbin packetFre=200 serialType=422
Everything after COMMAND_ID is an argument, also when it begins with &quot;-&quot;.

Exit status: 0 when sent; 1 when the port does not open, the command is unknown
or the text is refused (with the program&apos;s own message); 2 on bad arguments.</translation>
    </message>
    <message>
        <source>--wait 需要毫秒数（0 或以上）</source>
        <translation>--wait needs milliseconds (0 or more)</translation>
    </message>
    <message>
        <source>请给出 --raw TEXT 或 COMMAND_ID，不能两者都给</source>
        <translation>give --raw TEXT or COMMAND_ID, not both</translation>
    </message>
    <message>
        <source>没有要发送的内容：请给出 --raw TEXT 或 COMMAND_ID</source>
        <translation>nothing to send: give --raw TEXT or COMMAND_ID</translation>
    </message>
    <message>
        <source>发送失败</source>
        <translation>send failed</translation>
    </message>
    <message>
        <source>报告记录文件的内容与链路上丢失的数据</source>
        <translation>report what a capture holds and what the line lost</translation>
    </message>
    <message>
        <source>用法：telvo-cli stats [--json] CAPTURE

用程序的解码器读取 CAPTURE（原始数据文件或一次记录的消息记录），报告统计页实时
显示的各项计数：解码字节、二进制帧、文本语句（导航语句与回复）、导航记录、校验
失败、被拒的文本行、跳过的字节（不属于任何已接受消息的每个字节）与丢帧（某格式
计数器的间断，sinsbin 与 sinsasc 在时间标签的周期明确后也看其步长；计数器或时间
标签回跳或跳得过远是重新同步，不算丢失；两者都无法判断时计校验失败的帧）；对消息
记录另报消息数、消息速率与两条消息之间最长的静默。

选项：
  --json   改为输出一个 JSON 对象，键为 bytes、frames、sentences、
           checksum_errors、text_errors、skipped_bytes、lost_frames、records、
           kind（raw 或 message_log）与 file_bytes；消息记录另有 messages、
           duration_ms、message_rate 与 longest_silence_ms；读取提前停止时另有
           error
  --help   显示本说明

退出状态：0 整个文件已读完；1 文件无法读取；2 参数错误；3 读取在故障处停止（报告
只含故障之前的部分）。</source>
        <translation>usage: telvo-cli stats [--json] CAPTURE

Reads CAPTURE (a raw capture or a recording&apos;s message log) through the program&apos;s
decoder and reports the counters the statistics page shows live: bytes decoded,
binary frames, text sentences (navigation sentences and replies), navigation
records, checksum errors, text lines rejected, skipped bytes (every byte that is
part of no accepted message) and lost frames (gaps in a format&apos;s counter or, in
sinsbin and sinsasc, in the steps of its time tag once its period is evident; a
counter or time tag that jumps back or implausibly far is a resynchronisation,
not a loss; frames whose checksum failed where neither can tell); for a message
log also the number of messages, their rate and the longest silence between two
of them.

options:
  --json   one JSON object instead, with the keys bytes, frames, sentences,
           checksum_errors, text_errors, skipped_bytes, lost_frames, records,
           kind (raw or message_log) and file_bytes; for a message log also
           messages, duration_ms, message_rate and longest_silence_ms; error when
           the reading stopped early
  --help   this text

Exit status: 0 when the whole file was read, 1 when it cannot be read, 2 on bad
arguments, 3 when the reading stopped at a fault (the report covers what came
before it).</translation>
    </message>
    <message>
        <source>通过串口升级设备固件</source>
        <translation>upgrade a unit&apos;s firmware over its serial port</translation>
    </message>
    <message>
        <source>用法：telvo-cli upgrade PORT FILE [--baud N] [--hardware-reset]

以 N 波特（默认 115200）连接 PORT 上的设备，用“#vorn,reset system*ff”与
“$cmd,reset system*ff”将其复位进入引导程序，在 115200 重开串口，待引导程序请求
后（20 s 内）用 YModem 发送 FILE，然后将串口恢复为 N 波特。
使用 --hardware-reset 时不发送指令：请在这 20 s 内手动复位设备（断电或复位键）。
进度输出到标准错误。Ctrl+C 取消。
退出状态：0 固件已发送；1 升级失败；2 参数错误。</source>
        <translation>usage: telvo-cli upgrade PORT FILE [--baud N] [--hardware-reset]

Connects to the unit at PORT and N baud (default 115200), resets it into its
boot loader with &quot;#vorn,reset system*ff&quot; and &quot;$cmd,reset system*ff&quot;,
reopens the port at 115200, sends FILE with YModem once the boot loader asks
for it (within 20 s), and returns the port to N baud.
With --hardware-reset no command is sent: reset the unit by hand (power or
reset key) within the 20 s. Progress goes to standard error. Ctrl+C cancels.
Exit status: 0 when the firmware was sent, 1 when the upgrade failed, 2 for
bad arguments.</translation>
    </message>
    <message>
        <source>通过串口用 YModem 接收文件</source>
        <translation>receive a file with YModem over a serial port</translation>
    </message>
    <message>
        <source>用法：telvo-cli ymodem-receive PORT FILE [--baud N]

通过串口 PORT 以 N 波特（默认 115200）用 YModem（CRC-16）接收一个文件，写入
FILE，不管发送方给它取什么名字。只以“C”请求一次；发送方须在 15 s 内开始。
进度输出到标准错误：在终端上为进度条，否则每 10 % 一行。
Ctrl+C 取消传输。退出状态：0 文件已收到；1 传输失败（附原因）；2 参数错误。</source>
        <translation>usage: telvo-cli ymodem-receive PORT FILE [--baud N]

Receives one file with YModem (CRC-16) over the serial port PORT at N baud
(default 115200) and writes it to FILE, whatever name the sender gives it.
It asks once with &apos;C&apos;; the sender has 15 s to begin.
Progress goes to standard error: a bar on a terminal, else a line per 10 %.
Ctrl+C cancels the transfer. Exit status: 0 when the file was received, 1 when
the transfer failed (with the reason), 2 for bad arguments.</translation>
    </message>
    <message>
        <source>通过串口用 YModem 发送文件</source>
        <translation>send a file with YModem over a serial port</translation>
    </message>
    <message>
        <source>用法：telvo-cli ymodem-send PORT FILE [--baud N]

通过串口 PORT 以 N 波特（默认 115200）用 YModem（CRC-16，1024 字节的块）发送
FILE，最多等待 20 s 接收方的“C”。
进度输出到标准错误：在终端上为进度条，否则每 10 % 一行。
Ctrl+C 取消传输。退出状态：0 文件已发送；1 传输失败（附原因）；2 参数错误。</source>
        <translation>usage: telvo-cli ymodem-send PORT FILE [--baud N]

Sends FILE with YModem (CRC-16, 1024-byte blocks) over the serial port PORT
at N baud (default 115200), waiting up to 20 s for the receiver&apos;s &apos;C&apos;.
Progress goes to standard error: a bar on a terminal, else a line per 10 %.
Ctrl+C cancels the transfer. Exit status: 0 when the file was sent, 1 when
the transfer failed (with the reason), 2 for bad arguments.</translation>
    </message>
    <message>
        <source>--baud 需要 %1 到 %2 之间的波特率</source>
        <translation>--baud needs a rate from %1 to %2</translation>
    </message>
    <message>
        <source>用法：telvo-cli COMMAND [ARGS...]
      telvo-cli COMMAND --help
      telvo-cli --version

选项的值跟在选项之后，作为下一个参数或写在“=”之后
（--baud 9600、--baud=9600）；“--”结束选项。

命令：
</source>
        <translation>usage: telvo-cli COMMAND [ARGS...]
       telvo-cli COMMAND --help
       telvo-cli --version

An option&apos;s value follows it as the next argument or after
&quot;=&quot; (--baud 9600, --baud=9600); &quot;--&quot; ends the options.

commands:
</translation>
    </message>
    <message>
        <source>未知选项 %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>未知命令 %1</source>
        <translation>unknown command %1</translation>
    </message>
    <message>
        <source>把设备的记录转交给其他程序（UDP JSON、基于 TCP 的 NMEA）</source>
        <translation>hand a unit&apos;s records on to other programs (UDP JSON, NMEA over TCP)</translation>
    </message>
    <message>
        <source>用法：telvo-cli forward PORT [--baud N] [--udp-json HOST:PORT]
                         [--nmea-tcp [HOST:]PORT] [--nmea-rate HZ] [--seconds S]

像窗口那样以 N 波特（默认 115200）连接 PORT 上的设备，先检查那里有设备应答，然后
把解码出的每条记录转交出去，直到 S 秒过去（默认：直到 Ctrl-C）：
  --udp-json HOST:PORT    每条记录一个 JSON 对象，放在一个 UDP 数据报里，供绘图
                          工具使用（PlotJuggler：127.0.0.1:9870）；键为 CSV 导出
                          中该记录所含数值的列名，单位与小数位同导出，另有“t”，
                          即接收时间（自 1970-01-01 UTC 起的秒数）
  --nmea-tcp [HOST:]PORT  向至多 5 个 TCP 客户端发送 NMEA 0183（GGA、RMC、VTG、
                          HDT），在 HOST（默认 127.0.0.1）的 PORT 上监听（常用
                          10110）；时间为本机的 UTC
  --nmea-rate HZ          每秒的语句组数，0.1 到 100（默认 10），不超过设备发送
                          记录的频率
--udp-json 与 --nmea-tcp 至少给出一个。主机可以是名称；IPv6 地址写在方括号里
（“[::1]:9870”）。每个输出开始工作时输出其状态，结束时说明转发了什么。设备离开
时，转发像窗口那样等待它回来；不读取的客户端丢失的是语句，而不是内存。

退出状态：0 转发运行到结束（S 秒或 Ctrl-C）且设备仍连接；1 某个输出无法开始（名称
无法解析、地址不属于本机、端口被占用）、PORT 上没有设备应答或串口不存在，或设备
离开后到结束时仍未回来；2 参数错误。</source>
        <translation>usage: telvo-cli forward PORT [--baud N] [--udp-json HOST:PORT]
                         [--nmea-tcp [HOST:]PORT] [--nmea-rate HZ] [--seconds S]

Connects to the unit on PORT at N baud (default 115200) the way the window does,
with its check that a unit answers there first, and hands every record it
decodes on until S seconds have passed (default: until Ctrl-C):
  --udp-json HOST:PORT    one JSON object per record in one UDP datagram, as
                          plotting tools take them (PlotJuggler: 127.0.0.1:9870);
                          the keys are the CSV export&apos;s column names of the values
                          the record carries, in its units and decimals, and &quot;t&quot;,
                          the receive time in seconds since 1970-01-01 UTC
  --nmea-tcp [HOST:]PORT  NMEA 0183 (GGA, RMC, VTG, HDT) to at most 5 TCP clients,
                          listening on HOST (default 127.0.0.1) at PORT (10110 is
                          the usual one); the time is the computer&apos;s UTC
  --nmea-rate HZ          sentence sets per second, 0.1 to 100 (default 10), never
                          more than the unit sends records
One of --udp-json and --nmea-tcp at least. A host may be a name; an IPv6 address
goes in brackets (&quot;[::1]:9870&quot;). Prints each output&apos;s state once it runs, and at
the end what was forwarded. When the unit goes away forwarding waits for it, as
the window does; a client that does not read loses sentences, not memory.

Exit status: 0 when forwarding ran to the end (S seconds or Ctrl-C) with the unit
connected; 1 when an output cannot start (a name that does not resolve, an
address not of this computer, a port in use), no unit answers on PORT or the port
is not there, or the unit went away and had not come back by the end; 2 on bad
arguments.</translation>
    </message>
    <message>
        <source>--nmea-rate 需要 0.1 到 100 之间的数</source>
        <translation>--nmea-rate needs a number from 0.1 to 100</translation>
    </message>
    <message>
        <source>请给出 --udp-json、--nmea-tcp 或两者</source>
        <translation>give --udp-json, --nmea-tcp or both</translation>
    </message>
    <message>
        <source>启动输出时被中断</source>
        <translation>interrupted while starting</translation>
    </message>
    <message>
        <source>主机名在 %1 s 内没有解析出来</source>
        <translation>the host name was not resolved in %1 s</translation>
    </message>
    <message>
        <source>设备在 %1 s 时回来，转发继续</source>
        <translation>the unit is back after %1 s; forwarding goes on</translation>
    </message>
    <message numerus="yes">
        <source>已连接 %n 个 NMEA 客户端</source>
        <translation>
            <numerusform>%n NMEA client connected</numerusform>
            <numerusform>%n NMEA clients connected</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%2 s 内转发了 %n 条记录</source>
        <translation>
            <numerusform>forwarded %n record in %2 s</numerusform>
            <numerusform>forwarded %n records in %2 s</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个数据报</source>
        <translation>
            <numerusform>%n datagram</numerusform>
            <numerusform>%n datagrams</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 组 NMEA 语句，慢客户端丢弃 %1 字节</source>
        <translation>
            <numerusform>%n NMEA sentence set, %1 bytes dropped for slow clients</numerusform>
            <numerusform>%n NMEA sentence sets, %1 bytes dropped for slow clients</numerusform>
        </translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation> (%1)</translation>
    </message>
</context>
</TS>
